#include "output/statement_list.h"

#include <gtest/gtest.h>

#include "output/insert_statement.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

TEST(WriteStatements, WritesEachLineToTheFileThenEchoesIt) {
  test::TempDir dir;
  const std::string path = dir.write("out.sql", "old content that must go\n");
  const StatementList lines{"create table if not exists t (a);", "insert into t (a) values (\"1\");",
                            ""};
  testing::internal::CaptureStdout();
  EXPECT_TRUE(write_statements(lines, path));
  const std::string echoed = testing::internal::GetCapturedStdout();
  const std::string expected =
      "create table if not exists t (a);\ninsert into t (a) values (\"1\");\n\n";
  EXPECT_EQ(test::read_file(path), expected);
  EXPECT_EQ(echoed, expected);
}

TEST(WriteStatements, ManyLinesArriveWhole) {
  test::TempDir dir;
  StatementList lines;
  std::string expected;
  for (int i = 0; i < 50000; ++i) {
    lines.push_back("insert into t (a) values (\"" + std::to_string(i) + "\");");
    expected += lines.back() + "\n";
  }
  testing::internal::CaptureStdout();
  EXPECT_TRUE(write_statements(lines, dir.file("out.sql")));
  EXPECT_EQ(testing::internal::GetCapturedStdout(), expected);
  EXPECT_EQ(test::read_file(dir.file("out.sql")), expected);
}

TEST(WriteStatements, ReportsAnOutputThatCannotBeWrittenButStillEchoes) {
  test::TempDir dir;
  const std::string unwritable[] = {dir.file("missing/dir/out.sql"), "/dev/full"};
  for (const std::string& path : unwritable) {
    testing::internal::CaptureStdout();
    EXPECT_FALSE(write_statements({"line"}, path)) << path;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "line\n");
  }
}

TEST(InsertStatement, JoinsPrefixRunValuesAndValues) {
  RunSettings settings;
  settings.platform = "P";
  settings.project_name = "Pr";
  settings.tool_name = "T";
  settings.hash_value = "H";
  const std::string with_tool = run_column_values(settings, ToolColumn::kWith);
  const std::string without_tool = run_column_values(settings, ToolColumn::kWithout);
  EXPECT_TRUE(with_tool.starts_with(R"("P", "Pr", "T", "H", ")")) << with_tool;
  EXPECT_TRUE(without_tool.starts_with(R"("P", "Pr", "H", ")")) << without_tool;

  const std::string statement =
      InsertStatement("insert into t (a, b, c) values (", R"("x")").quoted("a\"b").bare("0").finish();
  EXPECT_EQ(statement, R"(insert into t (a, b, c) values ("x", "a""b", 0);)");
}

}  // namespace
}  // namespace qz
