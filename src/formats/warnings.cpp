// Compiler output of three toolchains into compiler_results: "Warning"
// ("file", line N: warning #id:), "Warning_KEIL" (file:line:col: warning:
// text) and "Warning_Tricore" (ctc W123: ["file" line/col] text).
#include "formats/warnings.h"

#include "core/finding.h"
#include "core/line_reader.h"
#include "core/sql.h"
#include "core/util.h"

namespace qz {
namespace {

// The table has no key: every run appends all its rows.
constexpr SqlTable kResultsTable{
    "compiler_results",
    "create table if not exists compiler_results (platform, project, githash, date, time, "
    "filename, line INTEGER, type, error_id, error_num INTEGER);",
    "insert into compiler_results (platform, project, githash, date, time, filename, line, type, "
    "error_id, error_num) values (",
    false};

// Both formats capture path, line number, type and identifier or message,
// in that order; the path is cut below the source root.
bool match_warning_line(const Pattern& pattern, std::string_view line, WarningRecord& record) {
  std::string_view groups[4];
  if (!pattern.match(line, groups)) return false;
  record.filename = strip_source_root(groups[0]);
  record.line = groups[1];
  record.type = groups[2];
  record.error_id = groups[3];
  return true;
}

FindingLevel compiler_level(std::string_view type) {
  return type == "error" ? FindingLevel::kError : FindingLevel::kWarning;
}

Finding compiler_finding(std::string_view filename, std::string_view line, std::string_view type) {
  Finding finding;
  finding.file = filename;
  finding.line = parse_decimal_uint32(line);
  finding.level = compiler_level(type);
  return finding;
}

// The diagnostic's text stands on the next line, which is not read: the
// line names the identifier alone.
void add_warning_finding(FindingSink& findings, const WarningRecord& record) {
  Finding finding = compiler_finding(record.filename, record.line, record.type);
  finding.rule_id = record.error_id;
  const std::string message = record.type + " " + record.error_id;
  finding.message = message;
  findings.add(finding);
}

void add_keil_finding(FindingSink& findings, const WarningRecord& record) {
  Finding finding = compiler_finding(record.filename, record.line, record.type);
  finding.rule_id = keil_warning_option(record.error_id);
  finding.message = record.error_id;
  findings.add(finding);
}

// The compiler names its warnings "W" and the number ("ctc W527").
void add_tricore_finding(FindingSink& findings, const TricoreWarningRecord& record) {
  Finding finding = compiler_finding(record.filename, record.line, "warning");
  const std::string rule = "W" + record.warning_number;
  finding.rule_id = rule;
  finding.message = record.message;
  findings.add(finding);
}

// The last value of a row: what each format knows about the error number.
// KEIL lines carry none, and the column gets a bare 0.
template <bool kHasErrorNumber>
void import_warnings_with(const Run& run, const Pattern& pattern,
                          bool (*classify)(std::string_view, WarningRecord&),
                          void (*add_finding)(FindingSink&, const WarningRecord&)) {
  SqlScript script(run, kResultsTable);
  read_records<WarningRecord>(
      run.input, pattern.needed_texts(), classify, [&](const WarningRecord& record) {
        script.row({record.filename, record.line, record.type, record.error_id,
                    kHasErrorNumber ? SqlValue(warning_error_number(record.error_id))
                                    : SqlValue::bare("0")});
        if (run.findings != nullptr) add_finding(*run.findings, record);
      });
}

}  // namespace

const Pattern& warning_line_pattern() {
  static const Pattern pattern(
      R"re("(.*)",[[:space:]]+line[[:space:]]+([0-9]+):[[:space:]]+(error|warning))re"
      R"re([[:space:]]+(.*):[[:space:]]*)re");
  return pattern;
}

bool classify_warning_line(std::string_view line, WarningRecord& record) {
  return match_warning_line(warning_line_pattern(), line, record);
}

std::string_view warning_error_number(std::string_view error_id) {
  if (error_id.empty()) return error_id;
  error_id.remove_prefix(1);
  // The identifier had at least three characters: drop its suffix ("-D").
  if (error_id.size() >= 2) error_id.remove_suffix(2);
  return error_id;
}

const Pattern& keil_warning_line_pattern() {
  static const Pattern pattern(
      R"((.*):([0-9]+):[0-9]+:[[:space:]]+(error|warning):[[:space:]]+(.*))");
  return pattern;
}

bool classify_keil_line(std::string_view line, WarningRecord& record) {
  return match_warning_line(keil_warning_line_pattern(), line, record);
}

std::string_view keil_warning_option(std::string_view message) {
  if (!message.ends_with(']')) return {};
  const std::size_t open = message.rfind('[');
  if (open == std::string_view::npos) return {};
  std::string_view options = message.substr(open + 1, message.size() - open - 2);
  // "[-Werror,-Wformat]": the warning that was made an error.
  if (const std::size_t comma = options.rfind(','); comma != std::string_view::npos) {
    options.remove_prefix(comma + 1);
  }
  return options.starts_with("-W") ? options : std::string_view();
}

const Pattern& tricore_line_pattern() {
  static const Pattern pattern(
      R"re(ctc[[:space:]]W([0-9]+):[[:space:]]+\["(.*)"[[:space:]]+([0-9]+)/[0-9]+\])re"
      R"re([[:space:]]+(.*))re");
  return pattern;
}

bool classify_tricore_line(std::string_view line, TricoreWarningRecord& record) {
  std::string_view groups[4];
  if (!tricore_line_pattern().match(line, groups)) return false;
  // Windows paths: slashes first, so that the source root is found.
  const std::string path = replace_all(groups[1], "\\", "/");
  record.filename = strip_source_root(path);
  record.line = groups[2];
  record.type = "Warning";
  record.warning_number = groups[0];
  record.message = replace_all(groups[3], "\"", "'");
  return true;
}

void import_warning(const Run& run) {
  import_warnings_with<true>(run, warning_line_pattern(), classify_warning_line,
                             add_warning_finding);
}

void import_warning_keil(const Run& run) {
  import_warnings_with<false>(run, keil_warning_line_pattern(), classify_keil_line,
                              add_keil_finding);
}

void import_warning_tricore(const Run& run) {
  SqlScript script(run, kResultsTable);
  read_records<TricoreWarningRecord>(run.input, tricore_line_pattern().needed_texts(),
                                     classify_tricore_line,
                                     [&](const TricoreWarningRecord& record) {
                                       script.row({record.filename, record.line, record.type,
                                                   record.message, record.warning_number});
                                       if (run.findings != nullptr) {
                                         add_tricore_finding(*run.findings, record);
                                       }
                                     });
}

}  // namespace qz
