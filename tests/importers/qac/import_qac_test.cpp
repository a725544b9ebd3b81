#include "importers/qac/import_qac.h"

#include <gtest/gtest.h>

#include "importers/qac/qac_test_data.h"
#include "importers/qac/q_results_script.h"
#include "support/run_importer.h"
#include "support/sqlite_db.h"

namespace qz {
namespace {

using test::qac_line;

test::ImportOutcome run_qac(std::string_view parser_type, std::string_view input) {
  RunSettings settings = test::sample_settings();
  settings.parser_type = parser_type;
  return test::run_importer(import_qac, settings, input);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  for (std::size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
    lines.push_back(text.substr(begin, end - begin));
  }
  EXPECT_EQ(begin, text.size()) << "every line ends in a line feed";
  return lines;
}

const std::string kRule(88, '-');

TEST(ImportQac, WritesOneRowPerFileWithPlatformAndCounts) {
  const std::string input =
      qac_line("D:\\work\\Src_QZ\\app\\can.c", "42", 7, "2985", "This operation is redundant") +
      "\n";
  const test::ImportOutcome outcome = run_qac("QAC", input);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.output, std::string(kQResultsCreate) + "\n" + std::string(kQResultsInsert) +
                                test::quoted_run_values(true) +
                                R"(, "Hmt4\Src_QZ\app\can.c", "0", "0", "0", "0", "0", "0", "0", )"
                                R"("1", "0", "0", "0");)" + "\n");
  EXPECT_EQ(outcome.stdout_text, outcome.output);
}

TEST(ImportQac, AnInputWithoutFindingsGivesTheFrameOnly) {
  for (std::string_view input : {std::string_view(), std::string_view("no finding here\n")}) {
    const test::ImportOutcome script = run_qac("QAC", input);
    EXPECT_EQ(script.output, std::string(kQResultsCreate) + "\n");
    EXPECT_EQ(script.stdout_text, script.output);

    const test::ImportOutcome report = run_qac("QAC_full_report", input);
    const std::vector<std::string> lines = lines_of(report.output);
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[2], "Number of files with warnings/errors : \"0\"");
    EXPECT_EQ(lines[3], "Number of unique warnings/errors____ : \"0\"");
    EXPECT_EQ(lines[12].size(), 182u);
    EXPECT_EQ(lines[13].size(), 182u);
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(lines[15], "[Details Report]");
    EXPECT_EQ(lines[16], kRule);
    EXPECT_EQ(report.stdout_text, report.output);
  }
}

TEST(ImportQac, ReportListsTotalsContextTableAndDetails) {
  const std::string input =
      qac_line("D:\\w\\Src_QZ\\a.c", "9", 3, "100", "Late") + "\n" +
      qac_line("D:\\w\\Src_QZ\\b.cpp", "5", 9, "5350", "His") + "\n" +
      qac_line("D:\\w\\Src_QZ\\a.c", "2", 3, "100", "Same") + "\n" +
      qac_line("D:\\w\\Src_QZ\\a.c", "2", 3, "100", "Same") + "\n" +
      qac_line("D:\\w\\Src_QZ\\a.c", "2", 3, "100", "Same", "error") + "\n";
  const test::ImportOutcome outcome = run_qac("QAC_full_report", input);
  ASSERT_TRUE(outcome.ok);
  const std::vector<std::string> lines = lines_of(outcome.output);
  const std::vector<std::string> head = {
      "[totals]",
      kRule,
      "Number of files with warnings/errors : \"2\"",
      "Number of unique warnings/errors____ : \"3\"",
      "",
      "[info]",
      kRule,
      "Platform___: Hmt4",
      "ProjectName: K7Qx22_App_default",
      "Tool_______: QAC",
      "",
      "",
  };
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 12), head);
  EXPECT_TRUE(lines[12].starts_with("[Filename] "));
  EXPECT_TRUE(lines[13].starts_with("-----"));
  EXPECT_EQ(lines[14], "Src_QZ\\a.c" + std::string(70, ' ') + std::string(40, ' ') + "\"2\"" +
                           std::string(16, ' ') + "\"0\"" + std::string(12, ' ') + "\"0\"" +
                           std::string(12, ' ') + "\"2\"" + std::string(7, ' ') + "\"0\"");
  EXPECT_EQ(lines[15], "Src_QZ\\b.cpp" + std::string(68, ' ') + std::string(40, ' ') + "\"1\"" +
                           std::string(16, ' ') + "\"0\"" + std::string(12, ' ') + "\"0\"" +
                           std::string(12, ' ') + "\"0\"" + std::string(7, ' ') + "\"1\"");
  const std::vector<std::string> tail = {
      "",
      "[Details Report]",
      kRule,
      "[filename]: Src_QZ\\a.c",
      "Src_QZ\\a.c(2): Same",
      "Src_QZ\\a.c(9): Late",
      "",
      "[filename]: Src_QZ\\b.cpp",
      "Src_QZ\\b.cpp(5): His",
      "",
  };
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 16, lines.end()), tail);
  EXPECT_EQ(outcome.stdout_text, outcome.output);
}

TEST(ImportQac, ScriptLoadsIntoSqliteAndRepeatsAddNoRows) {
  const std::string input =
      qac_line("D:\\w\\Src_QZ\\a.c", "1", 0, "1", "A") + "\n" +
      qac_line("D:\\w\\Src_QZ\\a.c", "2", 9, "5399", "B") + "\n" +
      qac_line("D:\\w\\Src_QZ\\he said \"no\".c", "3", 5, "7", "C") + "\n";
  const test::ImportOutcome outcome = run_qac("QAC", input);
  test::SqliteDb db;
  ASSERT_EQ(db.run_script(outcome.output), "");
  ASSERT_EQ(db.run_script(outcome.output), "");
  EXPECT_EQ(db.query("select filename, misra_0, misra_5, misra_9, his from q_results "
                     "order by rowid"),
            (std::vector<std::string>{R"(Hmt4\Src_QZ\a.c|1|0|0|1)",
                                      R"(Hmt4\Src_QZ\he said "no".c|0|1|0|0)"}));
}

}  // namespace
}  // namespace qz
