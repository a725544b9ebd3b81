#include "report/queries.h"

namespace qz::report {
namespace {

constexpr std::string_view kModuleStatistics = "*module_statistics";

// "where project = ? and platform = ? and githash in (?, ?)"
std::string rows_of_builds(std::size_t builds) {
  std::string where = " where project = ? and platform = ? and githash in (";
  for (std::size_t i = 0; i < builds; ++i) where += i == 0 ? "?" : ", ?";
  return where + ")";
}

// The levels of q_results, each a number: SQLite may hold them as texts,
// PostgreSQL as NULL where empty.
std::string qac_level(std::string_view column) {
  return "coalesce(cast(" + std::string(column) + " as bigint), 0)";
}

constexpr std::array<std::string_view, 11> kQacColumns{
    "misra_0", "misra_1", "misra_2", "misra_3", "misra_4", "misra_5",
    "misra_6", "misra_7", "misra_8", "misra_9", "his"};

std::string distinct_compiler_rows(std::size_t builds) {
  return "(select distinct githash, filename, line, type, error_id, error_num from "
         "compiler_results" +
         rows_of_builds(builds) + ") distinct_rows";
}

std::string distinct_map_rows(std::size_t builds) {
  return "(select distinct githash, originhex, origindec, sizehex, sizedec, section, filename "
         "from compiler_map" +
         rows_of_builds(builds) + ") distinct_rows";
}

const std::string kCoverageFigures =
    "C0_tested_lines, C0_testable_lines, C1_tested_lines, C1_testable_lines";

}  // namespace

std::string_view table_name(Table table) {
  switch (table) {
    case Table::kTests:
      return "ut_results";
    case Table::kCoverage:
      return "ut_coverage";
    case Table::kCompiler:
      return "compiler_results";
    case Table::kMap:
      return "compiler_map";
    case Table::kQac:
      break;
  }
  return "q_results";
}

std::string builds_sql(Table table, bool by_project, bool by_platform) {
  // Grouped by date too, rather than taking the least "date time": with the
  // import's index the groups come in index order and nothing is joined
  // row by row.
  std::string sql = "select project, platform, githash, date, min(time) from " +
                    std::string(table_name(table));
  if (by_project) sql += " where project = ?";
  if (by_platform) sql += by_project ? " and platform = ?" : " where platform = ?";
  return sql + " group by project, platform, githash, date";
}

std::string test_counts_sql(std::size_t builds) {
  return "select githash, result, count(*) from ut_results" + rows_of_builds(builds) +
         " group by githash, result";
}

std::string coverage_summary_sql(std::size_t builds) {
  return "select githash, tool, " + kCoverageFigures + " from ut_coverage" +
         rows_of_builds(builds) + " and (function_name = '' or function_name is null or " +
         "function_name = '" + std::string(kModuleStatistics) + "')";
}

std::string compiler_counts_sql(std::size_t builds) {
  return "select githash, type, count(*) from " + distinct_compiler_rows(builds) +
         " group by githash, type";
}

std::string qac_counts_sql(std::size_t builds) {
  std::string sql = "select githash";
  for (std::string_view column : kQacColumns) sql += ", sum(" + qac_level(column) + ")";
  return sql + " from q_results" + rows_of_builds(builds) + " group by githash";
}

std::string section_sizes_sql(std::size_t builds) {
  return "select githash, section, sum(cast(sizedec as bigint)) from " +
         distinct_map_rows(builds) + " group by githash, section";
}

std::string tests_of_build_sql() {
  return "select type, name, result from ut_results" + rows_of_builds(1);
}

std::string warnings_of_build_sql() {
  return "select filename, type, error_id, error_num, count(*) from " +
         distinct_compiler_rows(1) + " group by filename, type, error_id, error_num";
}

std::string qac_files_of_build_sql() {
  std::string findings;
  for (std::string_view column : kQacColumns) {
    findings += (findings.empty() ? "" : " + ") + qac_level(column);
  }
  return "select filename, " + findings + " from q_results" + rows_of_builds(1);
}

std::string coverage_functions_sql() {
  return "select tool, function_name, " + kCoverageFigures + " from ut_coverage" +
         rows_of_builds(1) + " and function_name <> '' and function_name <> '" +
         std::string(kModuleStatistics) + "'";
}

std::string module_sizes_sql() {
  return "select section, filename, sum(cast(sizedec as bigint)) from " + distinct_map_rows(1) +
         " group by section, filename";
}

}  // namespace qz::report
