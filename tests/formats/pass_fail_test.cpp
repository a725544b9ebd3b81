#include <gtest/gtest.h>

#include "formats/pass_fail.h"
#include "support/regex_differential.h"
#include "support/run_format.h"

namespace qz {
namespace {

constexpr std::string_view kTestLineEcmascript =
    R"re([[:space:]]+Test[[:punct:]]+[[:space:]]+([A-Za-z0-9_]+).*\(?\)?[[:space:]]+[[:punct:]]+(passed|PASSED|failed|FAILED))re";

struct TestLineCase {
  std::string line;
  bool matched;
  std::string name;
  std::string result;
};

const std::vector<TestLineCase>& test_line_cases() {
  static const std::vector<TestLineCase> cases = {
      {"  Test: test_init() .....passed", true, "test_init", "passed"},
      {"  Test: test_init ....PASSED", true, "test_init", "PASSED"},
      {"\tTest:: abc-def ..failed", true, "abc", "failed"},
      {"  Test: a b c (1) ...FAILED", true, "a", "FAILED"},
      {"    Test: CanIf_Tx_07 (can_if_test.c:212) ......................failed", true,
       "CanIf_Tx_07", "failed"},
      {"  Test: x_ __passed", true, "x_", "passed"},
      {"  Test:  spaced()\t.passed", true, "spaced", "passed"},
      {"Test: test_init() .....passed", false, "", ""},
      {"  Test: test_init() ..... passed", false, "", ""},
      {"  Test: test_init() .....passed ", false, "", ""},
      {"  Test: test_init() .....passedx", false, "", ""},
      {"  Test: test_init() .....Passed", false, "", ""},
      {"  Test: test_init() .....Failed", false, "", ""},
      {"  Test:test_init ....passed", false, "", ""},
      {"  Test #1: x ....passed", false, "", ""},
      {"  Test: test_init.....passed", false, "", ""},
      {"  Test: test_init() passed", false, "", ""},
      {"  Test: -init ....passed", false, "", ""},
      {"  TEST: test_init ....passed", false, "", ""},
      {"", false, "", ""},
  };
  return cases;
}

TEST(TestLinePattern, AgreesWithEcmascript) {
  std::vector<std::string> seeds;
  for (const TestLineCase& c : test_line_cases()) seeds.push_back(c.line);
  test::expect_same_as_ecmascript(test_line_pattern(), kTestLineEcmascript,
                                  test::with_mutations(seeds));
}

TEST(ClassifyTestLine, TakesNameAndResultWordAsWritten) {
  for (const TestLineCase& c : test_line_cases()) {
    TestResultRecord record{"untouched", "untouched"};
    ASSERT_EQ(classify_test_line(c.line, record), c.matched) << c.line;
    EXPECT_EQ(record.name, c.matched ? c.name : "untouched") << c.line;
    EXPECT_EQ(record.result, c.matched ? c.result : "untouched") << c.line;
  }
}

// A log without a single test line still gives a well-formed script.
TEST(ImportPassFail, EmptyInputWritesTheCreateStatementAlone) {
  constexpr std::string_view kCreateResults =
      "create table if not exists ut_results (platform, project, tool, githash, date, time, "
      "type, name, result, UNIQUE (platform, project, type, githash, name) ON CONFLICT IGNORE);\n";
  const test::FormatOutcome outcome = test::run_format("PassFail", "");
  EXPECT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.output, kCreateResults);
  EXPECT_EQ(outcome.stdout_text, kCreateResults);
}

}  // namespace
}  // namespace qz
