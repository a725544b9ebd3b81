#include "driver/driver.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct ParseCase {
  const char* name;
  std::vector<std::string> arguments;  // behind the program path
  std::string RunSettings::*field;
  std::string expected;
};

class ParseRunSettings : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseRunSettings, TakesTheValueOfTheFirstElementThatBeginsWithTheName) {
  std::vector<std::string> command_line{"QZTestResult"};
  command_line.insert(command_line.end(), GetParam().arguments.begin(), GetParam().arguments.end());
  EXPECT_EQ(parse_run_settings(command_line).*GetParam().field, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRunSettings,
    testing::Values(
        ParseCase{"plain", {"--input=a.txt"}, &RunSettings::input, "a.txt"},
        ParseCase{"name_and_equals_only", {"--input="}, &RunSettings::input, ""},
        ParseCase{"separate_value_ignored", {"--input", "a.txt"}, &RunSettings::input, ""},
        ParseCase{"first_wins", {"--platform=A", "--platform=B"}, &RunSettings::platform, "A"},
        ParseCase{"name_must_begin_element", {"x--input=abc"}, &RunSettings::input, ""},
        ParseCase{"other_name_inside_value",
                  {"--project_name=a--output", "--output=o"},
                  &RunSettings::project_name,
                  "a--output"},
        ParseCase{"output_not_taken_from_value",
                  {"--project_name=a--output", "--output=o"},
                  &RunSettings::output,
                  "o"},
        ParseCase{"equals_kept", {"--hash_value=a=b"}, &RunSettings::hash_value, "a=b"},
        ParseCase{"blanks_and_quotes_kept",
                  {"--tool_name= \"Q A\" "},
                  &RunSettings::tool_name,
                  " \"Q A\" "},
        ParseCase{"separator_not_checked", {"--test_type:Unit"}, &RunSettings::test_type, "Unit"},
        ParseCase{"case_sensitive", {"--PLATFORM=A"}, &RunSettings::platform, ""},
        ParseCase{"longer_name_shares_prefix", {"--inputs=x"}, &RunSettings::input, "=x"},
        ParseCase{"missing", {"--output=o"}, &RunSettings::parser_type, ""},
        ParseCase{
            "every_option_parser_type", {"--parser_type=QAC"}, &RunSettings::parser_type, "QAC"},
        ParseCase{"every_option_project", {"--project_name=P"}, &RunSettings::project_name, "P"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParseRunSettings, FillsAllEightFields) {
  const RunSettings settings = parse_run_settings(
      {"prog", "--hash_value=h", "--input=i", "--output=o", "--parser_type=p", "--platform=pl",
       "--project_name=pr", "--tool_name=t", "--test_type=ty", "--help"});
  EXPECT_EQ(settings.hash_value, "h");
  EXPECT_EQ(settings.input, "i");
  EXPECT_EQ(settings.output, "o");
  EXPECT_EQ(settings.parser_type, "p");
  EXPECT_EQ(settings.platform, "pl");
  EXPECT_EQ(settings.project_name, "pr");
  EXPECT_EQ(settings.tool_name, "t");
  EXPECT_EQ(settings.test_type, "ty");
}

// A line break in a value would split a statement or a report line; paths
// and the parser type may hold any byte.
TEST(OptionWithControlCharacter, NamesTheFirstDescriptiveOptionHoldingOne) {
  const std::pair<std::string, std::string_view> cases[] = {
      {"--platform=a\nb", "--platform"},
      {"--test_type=\x01", "--test_type"},
      {"--project_name=x\ry", "--project_name"},
      {"--tool_name=\x1f", "--tool_name"},
      {"--hash_value=abc\ndrop table ut_results; --", "--hash_value"},
      {"--hash_value=a\tb", ""},
      {"--hash_value=\x7f\xe9 ", ""},
      {"--input=in\nput", ""},
      {"--output=out\nput", ""},
      {"--parser_type=QAC\n", ""},
  };
  for (const auto& [argument, option] : cases) {
    EXPECT_EQ(option_with_control_character(parse_run_settings({"prog", argument})), option)
        << argument;
  }
}

TEST(HasEnoughArguments, NeedsTheProgramPathAndSixMore) {
  EXPECT_FALSE(has_enough_arguments(0));
  EXPECT_FALSE(has_enough_arguments(6));
  EXPECT_TRUE(has_enough_arguments(7));
  EXPECT_TRUE(has_enough_arguments(20));
}

}  // namespace
}  // namespace qz
