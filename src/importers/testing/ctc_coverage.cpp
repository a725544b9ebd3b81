#include "importers/testing/ctc_coverage.h"

#include <array>
#include <optional>
#include <span>
#include <string>

#include "importers/testing/coverage_rows.h"
#include "output/insert_statement.h"

namespace qz {
namespace {

using Figures = std::span<const std::string_view, 3>;  // percent, covered, total

// Statement coverage goes to the C0 texts, decision coverage to the C1 texts.
void fill_record(CoverageRecord& record, std::string_view function_name, Figures statement,
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
    fill_record(record, found[3], found.subspan<4, 3>(), found.first<3>());
    return true;
  }
  if (ctc_module_pattern().match(text, std::span(groups).first<6>())) {
    fill_record(record, kModuleStatisticsName, found.subspan<3, 3>(), found.first<3>());
    return true;
  }
  return false;
}

std::vector<CoverageRecord> read_ctc_records(LineReader& input) {
  std::vector<CoverageRecord> records;
  std::string joined;
  std::string_view line;
  while (input.next(line)) {
    const std::optional<std::string_view> joint = pair_joint(line);
    if (!joint) continue;
    joined.assign(line);
    // A pair cut off by the end of the input gives no row.
    if (!input.next(line)) break;
    joined.append(*joint).append(line);
    CoverageRecord record;
    if (classify_ctc_text(joined, record)) records.push_back(std::move(record));
  }
  return records;
}

bool import_ctc_coverage(const RunSettings& settings) {
  // Taken first, so that the rows carry the start of the import.
  const std::string run_values = run_column_values(settings, ToolColumn::kWith);
  std::vector<CoverageRecord> records;
  {  // the input is closed before the output is opened
    LineReader input(settings.input);
    records = read_ctc_records(input);
  }
  return write_coverage_script(records, run_values, settings.output);
}

}  // namespace qz
