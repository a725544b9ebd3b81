#include "importers/testing/gcov_coverage.h"

#include <gtest/gtest.h>

#include "support/regex_differential.h"

namespace qz {
namespace {

constexpr std::string_view kGcovLineEcmascript =
    R"re(\<tr\>\<td\>Lines[[:punct:]]+\<\/td\>\<td\>([0-9]+)\<\/td\>\<td\>([0-9]+)\<\/td\>\<td\>([0-9]+).*\<\/td\>\<\/tr\>)re";

struct GcovLineCase {
  std::string line;
  bool matched;
  std::string tested;
  std::string testable;
  std::string percent;
};

const std::vector<GcovLineCase>& gcov_line_cases() {
  static const std::vector<GcovLineCase> cases = {
      {"<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr>", true, "1234", "1500",
       "82"},
      {"<tr><td>Lines:</td><td>8</td><td>8</td><td>100.0%</td></tr>", true, "8", "8", "100"},
      {"<tr><td>Lines:</td><td>9999</td><td>10000</td><td>99.99 %</td></tr>", true, "9999",
       "10000", "99"},
      {"<tr><td>Lines::</td><td>007</td><td>010</td><td>70</td></tr>", true, "007", "010", "70"},
      {"<tr><td>Lines:</td><td>1</td><td>2</td><td>50.0 %</td><td>extra</td></tr>", true, "1",
       "2", "50"},
      {"<tr><td>Lines-></td><td>0</td><td>0</td><td>0</td></tr>", true, "0", "0", "0"},
      {" <tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr>", false, "", "", ""},
      {"<tr class=\"x\"><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr>", false, "",
       "", ""},
      {"<tr><td class=\"headerItem\">Lines:</td><td>1</td><td>2</td><td>50 %</td></tr>", false,
       "", "", ""},
      {"<tr><td>Lines:</td> <td>1234</td><td>1500</td><td>82.2 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr> ", false, "", "", ""},
      {"<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr><tr>", false, "", "",
       ""},
      {"<tr><td>Branches:</td><td>10</td><td>20</td><td>50.0 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td>1</td><td>2</td><td>-</td></tr>", false, "", "", ""},
      {"<tr><td>Lines</td><td>1</td><td>2</td><td>50 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td>1,234</td><td>1500</td><td>82 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td> 12</td><td>15</td><td>80 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td></td><td>15</td><td>0 %</td></tr>", false, "", "", ""},
      {"<TR><TD>Lines:</TD><TD>1</TD><TD>2</TD><TD>50 %</TD></TR>", false, "", "", ""},
  };
  return cases;
}

TEST(GcovLinePattern, AgreesWithEcmascript) {
  std::vector<std::string> seeds;
  for (const GcovLineCase& c : gcov_line_cases()) seeds.push_back(c.line);
  test::expect_same_as_ecmascript(gcov_line_pattern(), kGcovLineEcmascript,
                                  test::with_mutations(seeds));
}

TEST(ClassifyGcovLine, FillsOnlyTheLineFigures) {
  for (const GcovLineCase& c : gcov_line_cases()) {
    CoverageRecord record;
    record.C0_percent = "untouched";
    ASSERT_EQ(classify_gcov_line(c.line, record), c.matched) << c.line;
    if (!c.matched) {
      EXPECT_EQ(record.C0_percent, "untouched") << c.line;
      continue;
    }
    EXPECT_EQ(record.C0_tested_lines, c.tested) << c.line;
    EXPECT_EQ(record.C0_testable_lines, c.testable) << c.line;
    EXPECT_EQ(record.C0_percent, c.percent) << c.line;
    EXPECT_EQ(record.function_name + record.C1_percent + record.C1_tested_lines +
                  record.C1_testable_lines,
              "")
        << c.line;
  }
}

}  // namespace
}  // namespace qz
