// Unit-test logs: every line on which a test reports itself as passed or
// failed gives one row of ut_results.
#include <array>

#include "core/line_reader.h"
#include "core/sql.h"
#include "formats/pass_fail.h"

namespace qz {
namespace {

constexpr SqlTable kResultsTable{
    "ut_results",
    "create table if not exists ut_results (platform, project, tool, githash, date, time, type, "
    "name, result, UNIQUE (platform, project, type, githash, name) ON CONFLICT IGNORE);",
    "insert into ut_results (platform, project, tool, githash, date, time, type, name, result) "
    "values (",
    true};

}  // namespace

const Pattern& test_line_pattern() {
  static const Pattern pattern(
      R"re([[:space:]]+Test[[:punct:]]+[[:space:]]+([A-Za-z0-9_]+).*\(?\)?[[:space:]]+[[:punct:]]+(passed|PASSED|failed|FAILED))re");
  return pattern;
}

bool classify_test_line(std::string_view line, TestResultRecord& record) {
  std::array<std::string_view, 2> groups;
  if (!test_line_pattern().match(line, groups)) return false;
  record.name.assign(groups[0]);
  record.result.assign(groups[1]);
  return true;
}

void import_pass_fail(const Run& run) {
  SqlScript script(run, kResultsTable);
  // The test type is the caller's word for the whole log.
  const std::string_view test_type = run.settings.test_type;
  read_records<TestResultRecord>(run.input, test_line_pattern().needed_texts(), classify_test_line,
                                 [&](const TestResultRecord& record) {
                                   script.row({test_type, record.name, record.result});
                                 });
}

}  // namespace qz
