#include "importers/testing/pass_fail.h"

#include <array>

#include "output/insert_statement.h"
#include "output/statement_list.h"

namespace qz {
namespace {

constexpr std::string_view kCreateResultsTable =
    "create table if not exists ut_results (platform, project, tool, githash, date, time, type, "
    "name, result, UNIQUE (project, githash, name) ON CONFLICT IGNORE);";

constexpr std::string_view kInsertResult =
    "insert into ut_results (platform, project, tool, githash, date, time, type, name, result) "
    "values (";

StatementSource result_statements(const std::vector<TestResultRecord>& records,
                                  std::string_view run_values, std::string_view test_type) {
  return [&records, run_values, test_type](StatementSink& out) {
    out.add(kCreateResultsTable);
    for (const TestResultRecord& record : records) {
      out.add(InsertStatement(kInsertResult, run_values)
                  .quoted(test_type)
                  .quoted(record.name)
                  .quoted(record.result)
                  .finish());
    }
  };
}

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

std::vector<TestResultRecord> read_test_results(LineReader& input) {
  std::vector<TestResultRecord> records;
  std::string_view line;
  while (input.next(line)) {
    TestResultRecord record;
    if (classify_test_line(line, record)) records.push_back(std::move(record));
  }
  return records;
}

bool import_pass_fail(const RunSettings& settings) {
  // Taken first, so that the rows carry the start of the import.
  const std::string run_values = run_column_values(settings, ToolColumn::kWith);
  std::vector<TestResultRecord> records;
  {  // the input is closed before the output is opened
    LineReader input(settings.input);
    records = read_test_results(input);
  }
  return write_statements(result_statements(records, run_values, settings.test_type),
                          settings.output);
}

}  // namespace qz
