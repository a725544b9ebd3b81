#include "importers/testing/gcov_coverage.h"

#include <array>

#include "importers/testing/coverage_rows.h"
#include "output/insert_statement.h"

namespace qz {

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

std::vector<CoverageRecord> read_gcov_lines(LineReader& input) {
  std::vector<CoverageRecord> records;
  std::string_view line;
  while (input.next(line)) {
    CoverageRecord record;
    if (classify_gcov_line(line, record)) records.push_back(std::move(record));
  }
  return records;
}

bool import_gcov_coverage(const RunSettings& settings) {
  // Taken first, so that the rows carry the start of the import.
  const std::string run_values = run_column_values(settings, ToolColumn::kWith);
  std::vector<CoverageRecord> records;
  {  // the input is closed before the output is opened
    LineReader input(settings.input);
    records = read_gcov_lines(input);
  }
  return write_coverage_script(records, run_values, settings.output);
}

}  // namespace qz
