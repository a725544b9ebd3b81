#include <algorithm>
#include <array>

#include "core/output.h"
#include "driver/driver.h"

namespace qz {
namespace {

struct OptionSpec {
  std::string_view name;
  std::string RunSettings::*field;
};

constexpr std::array<OptionSpec, 8> kOptions{{
    {"--platform", &RunSettings::platform},
    {"--input", &RunSettings::input},
    {"--output", &RunSettings::output},
    {"--project_name", &RunSettings::project_name},
    {"--tool_name", &RunSettings::tool_name},
    {"--test_type", &RunSettings::test_type},
    {"--hash_value", &RunSettings::hash_value},
    {"--parser_type", &RunSettings::parser_type},
}};

constexpr std::size_t kMinimumElements = 7;

// The value starts one character behind the name; that character is
// normally "=" but is not checked. Nothing when no element begins with the
// name.
std::optional<std::string> option_value(const std::vector<std::string>& command_line,
                                        std::string_view name) {
  const std::size_t value_start = name.size() + 1;
  for (const std::string& element : command_line) {
    if (element.starts_with(name)) {
      return element.size() > value_start ? element.substr(value_start) : std::string();
    }
  }
  return std::nullopt;
}

}  // namespace

bool has_enough_arguments(std::size_t element_count) { return element_count >= kMinimumElements; }

void print_usage() {
  static constexpr std::array<std::string_view, 13> kLines{
      "QZTestResult error: Not enough command line arguments.",
      "Usage: QZTestResult.exe",
      " --input=INFILE",
      " --output=OUTFILE",
      " --platform=Hmt4|Zelo",
      " --test_type=Unit|Integration",
      " --project_name=K7Qx22_App_default",
      " --tool_name=CTC|GCOV|QAC",
      " --hash_value=HASH",
      " --parser_type=PassFail|GCOV_Coverage|CTC_Coverage|QAC|QAC_full_report|Warning|"
      "Warning_KEIL|Warning_Tricore|Map|Map_KEIL",
      " --database=FILE|URI (optional: also import the rows into this SQLite file or PostgreSQL "
      "server)",
      " --sarif=FILE (optional: also write the findings into this SARIF 2.1.0 file)",
      "Or: QZTestResult.exe report --database=DB --output=PAGE.html [--json=FILE] "
      "[--project_name=NAME] [--platform=NAME] [--hash_value=HASH] [--builds=N] "
      "[--fail-on=LIST] (the quality report of the imported rows)",
  };
  for (std::string_view line : kLines) print_line(line);
}

std::string_view option_with_control_character(const RunSettings& settings) {
  // A line break in a value would split an INSERT statement or a report
  // line, and a loader reading line by line would run what follows it.
  auto holds_control = [](const std::string& value) {
    return std::any_of(value.begin(), value.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 && c != '\t'; });
  };
  // Paths and the parser type are not checked: a file name may hold any byte.
  for (const OptionSpec& option : kOptions) {
    const std::string RunSettings::*field = option.field;
    if (field == &RunSettings::input || field == &RunSettings::output ||
        field == &RunSettings::parser_type) {
      continue;
    }
    if (holds_control(settings.*field)) return option.name;
  }
  return {};
}

RunSettings parse_run_settings(const std::vector<std::string>& command_line) {
  RunSettings settings;
  for (const OptionSpec& option : kOptions) {
    settings.*option.field = option_value(command_line, option.name).value_or("");
  }
  settings.database = option_value(command_line, "--database");
  settings.sarif = option_value(command_line, "--sarif");
  return settings;
}

}  // namespace qz
