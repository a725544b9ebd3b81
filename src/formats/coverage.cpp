// Coverage reports into ut_coverage: the "Lines" row of a GCOV HTML summary,
// and the function entries and module summaries of a CTC text report, each
// of which spans two lines.
#include <array>
#include <optional>
#include <span>

#include "core/sql.h"
#include "formats/coverage.h"

namespace qz {
namespace {

constexpr SqlTable kCoverageTable{
    "ut_coverage",
    "create table if not exists ut_coverage (platform, project, tool, githash, date, time, "
    "C0_percent INTEGER, C0_tested_lines INTEGER, C0_testable_lines INTEGER, "
    "C1_percent INTEGER, C1_tested_lines INTEGER, C1_testable_lines INTEGER, function_name, "
    "UNIQUE (platform, project, tool, githash, function_name) ON CONFLICT IGNORE);",
    "insert into ut_coverage (platform, project, tool, githash, date, time, C0_percent, "
    "C0_tested_lines, C0_testable_lines, C1_percent, C1_tested_lines, C1_testable_lines, "
    "function_name) values (",
    true};

// Every value is quoted, the figures too: the columns' INTEGER affinity lets
// the database store digit texts as numbers.
void add_coverage_row(SqlScript& script, const CoverageRecord& record) {
  script.row({record.C0_percent, record.C0_tested_lines, record.C0_testable_lines,
              record.C1_percent, record.C1_tested_lines, record.C1_testable_lines,
              record.function_name});
}

using Figures = std::span<const std::string_view, 3>;  // percent, covered, total

// Statement coverage goes to the C0 texts, decision coverage to the C1 texts.
void fill_ctc_record(CoverageRecord& record, std::string_view function_name, Figures statement,
                     Figures decision) {
  record.function_name.assign(function_name);
  record.C0_percent.assign(statement[0]);
  record.C0_tested_lines.assign(statement[1]);
  record.C0_testable_lines.assign(statement[2]);
  record.C1_percent.assign(decision[0]);
  record.C1_tested_lines.assign(decision[1]);
  record.C1_testable_lines.assign(decision[2]);
}

// What a line that opens a pair puts between its two halves: nothing for a
// function entry, one blank for a module summary. Only the line start counts.
std::optional<std::string_view> pair_joint(std::string_view line) {
  if (line.starts_with("***TER")) return "";
  if (line.starts_with("TER")) return " ";
  return std::nullopt;
}

}  // namespace

const Pattern& gcov_line_pattern() {
  static const Pattern pattern(
      R"re(\<tr\>\<td\>Lines[[:punct:]]+\<\/td\>\<td\>([0-9]+)\<\/td\>\<td\>([0-9]+)\<\/td\>\<td\>([0-9]+).*\<\/td\>\<\/tr\>)re");
  return pattern;
}

bool classify_gcov_line(std::string_view line, CoverageRecord& record) {
  std::array<std::string_view, 3> groups;
  if (!gcov_line_pattern().match(line, groups)) return false;
  record.C0_tested_lines.assign(groups[0]);
  record.C0_testable_lines.assign(groups[1]);
  record.C0_percent.assign(groups[2]);
  return true;
}

const Pattern& ctc_function_pattern() {
  static const Pattern pattern(
      R"re(\*\*\*TER[[:space:]]+([0-9]+)[[:space:]]+[[:punct:]]+[[:space:]]+\([[:space:]]*([0-9]+)\/[[:space:]]*([0-9]+)\).*FUNCTION[[:space:]]+(.*)\(\)[[:space:]]+([0-9]+)[[:space:]]+[[:punct:]]+[[:space:]]+\([[:space:]]*([0-9]+)\/[[:space:]]*([0-9]+)\).*)re");
  return pattern;
}

const Pattern& ctc_module_pattern() {
  static const Pattern pattern(
      R"re(TER[[:space:]]+[[:punct:]][[:space:]]+([0-9]+)[[:space:]]+[[:punct:]][[:space:]]+\(([0-9]+)\/([0-9]+)\)[[:space:]]+decision[[:space:]]*)re"
      R"re(TER[[:space:]]+[[:punct:]][[:space:]]+([0-9]+)[[:space:]]+[[:punct:]][[:space:]]+\(([0-9]+)\/([0-9]+)\)[[:space:]]+statement)re");
  return pattern;
}

bool classify_ctc_text(std::string_view text, CoverageRecord& record) {
  std::array<std::string_view, 7> groups;
  const std::span<const std::string_view, 7> found(groups);
  if (ctc_function_pattern().match(text, groups)) {
    fill_ctc_record(record, found[3], found.subspan<4, 3>(), found.first<3>());
    return true;
  }
  if (ctc_module_pattern().match(text, std::span(groups).first<6>())) {
    fill_ctc_record(record, kModuleStatisticsName, found.subspan<3, 3>(), found.first<3>());
    return true;
  }
  return false;
}

void read_ctc_records(LineReader& input, const std::function<void(const CoverageRecord&)>& take) {
  CoverageRecord record;
  std::string joined;
  std::string_view line;
  while (input.next(line)) {
    const std::optional<std::string_view> joint = pair_joint(line);
    if (!joint) continue;
    joined.assign(line);
    // A pair cut off by the end of the input gives no row.
    if (!input.next(line)) break;
    joined.append(*joint).append(line);
    if (classify_ctc_text(joined, record)) take(record);
  }
}

void import_gcov_coverage(const Run& run) {
  SqlScript script(run, kCoverageTable);
  read_records<CoverageRecord>(
      run.input, gcov_line_pattern().needed_texts(), classify_gcov_line,
      [&](const CoverageRecord& record) { add_coverage_row(script, record); });
}

void import_ctc_coverage(const Run& run) {
  SqlScript script(run, kCoverageTable);
  read_ctc_records(run.input,
                   [&](const CoverageRecord& record) { add_coverage_row(script, record); });
}

}  // namespace qz
