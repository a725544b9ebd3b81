#include "importers/testing/coverage_rows.h"

#include "output/insert_statement.h"

namespace qz {
namespace {

constexpr std::string_view kCreateCoverageTable =
    "create table if not exists ut_coverage (platform, project, tool, githash, date, time, "
    "C0_percent INTEGER, C0_tested_lines INTEGER, C0_testable_lines INTEGER, "
    "C1_percent INTEGER, C1_tested_lines INTEGER, C1_testable_lines INTEGER, function_name, "
    "UNIQUE (project, githash, function_name) ON CONFLICT IGNORE);";

constexpr std::string_view kInsertCoverage =
    "insert into ut_coverage (platform, project, tool, githash, date, time, C0_percent, "
    "C0_tested_lines, C0_testable_lines, C1_percent, C1_tested_lines, C1_testable_lines, "
    "function_name) values (";

// Every value is quoted, the figures too: the columns' INTEGER affinity lets
// the database store digit texts as numbers.
std::string coverage_insert(const CoverageRecord& record, std::string_view run_values) {
  return InsertStatement(kInsertCoverage, run_values)
      .quoted(record.C0_percent)
      .quoted(record.C0_tested_lines)
      .quoted(record.C0_testable_lines)
      .quoted(record.C1_percent)
      .quoted(record.C1_tested_lines)
      .quoted(record.C1_testable_lines)
      .quoted(record.function_name)
      .finish();
}

}  // namespace

StatementSource coverage_statements(const std::vector<CoverageRecord>& records,
                                    std::string_view run_values) {
  return [&records, run_values](StatementSink& out) {
    out.add(kCreateCoverageTable);
    for (const CoverageRecord& record : records) {
      out.add(coverage_insert(record, run_values));
    }
  };
}

bool write_coverage_script(const std::vector<CoverageRecord>& records, std::string_view run_values,
                           const std::string& output_path) {
  return write_statements(coverage_statements(records, run_values), output_path);
}

}  // namespace qz
