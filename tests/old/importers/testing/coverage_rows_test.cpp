#include "importers/testing/coverage_rows.h"

#include <gtest/gtest.h>

#include "support/collect_statements.h"
#include "support/sqlite_db.h"

namespace qz {
namespace {

CoverageRecord full_record(std::string function_name) {
  return {std::move(function_name), "90", "9", "010", "75", "3", "4"};
}

TEST(CoverageStatements, WritesTheCreateStatementThenOneRowPerRecordInOrder) {
  const StatementList statements = test::collect_statements(
      coverage_statements({full_record("check_limits"), CoverageRecord{}}, R"("P", "R")"));
  const std::string prefix =
      "insert into ut_coverage (platform, project, tool, githash, date, time, C0_percent, "
      "C0_tested_lines, C0_testable_lines, C1_percent, C1_tested_lines, C1_testable_lines, "
      "function_name) values (\"P\", \"R\"";
  ASSERT_EQ(statements.size(), 3u);
  EXPECT_EQ(statements[0],
            "create table if not exists ut_coverage (platform, project, tool, githash, date, "
            "time, C0_percent INTEGER, C0_tested_lines INTEGER, C0_testable_lines INTEGER, "
            "C1_percent INTEGER, C1_tested_lines INTEGER, C1_testable_lines INTEGER, "
            "function_name, UNIQUE (project, githash, function_name) ON CONFLICT IGNORE);");
  EXPECT_EQ(statements[1],
            prefix + ", \"90\", \"9\", \"010\", \"75\", \"3\", \"4\", \"check_limits\");");
  EXPECT_EQ(statements[2], prefix + ", \"\", \"\", \"\", \"\", \"\", \"\", \"\");");
}

// Names are C++ declarations and may hold quotes; the script must still load,
// and a second import of it must add nothing.
TEST(CoverageStatements, LoadsTwiceIntoOneRowPerFunction) {
  const StatementList statements = test::collect_statements(coverage_statements(
      {full_record(R"(f("x"))"), full_record("g"), full_record("g"), CoverageRecord{}},
      R"("Hmt4", "App", "CTC", "abc", "2022-11-30", "14:05:09")"));
  std::string script;
  for (const std::string& statement : statements) script += statement + "\n";
  test::SqliteDb db;
  ASSERT_EQ(db.run_script(script), "");
  ASSERT_EQ(db.run_script(script), "");
  EXPECT_EQ(db.query("select function_name, C0_testable_lines, typeof(C0_testable_lines) "
                     "from ut_coverage order by rowid"),
            (std::vector<std::string>{R"(f("x")|10|integer)", "g|10|integer", "||text"}));
}

}  // namespace
}  // namespace qz
