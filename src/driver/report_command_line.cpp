#include <algorithm>
#include <array>
#include <charconv>

#include "core/output.h"
#include "driver/report_mode.h"

namespace qz {
namespace {

constexpr std::string_view kWord = "report";

enum class Option { kDatabase, kOutput, kJson, kProject, kPlatform, kHash, kBuilds, kFailOn };

constexpr std::array<std::pair<std::string_view, Option>, 8> kOptions{{
    {"--database", Option::kDatabase},
    {"--output", Option::kOutput},
    {"--json", Option::kJson},
    {"--project_name", Option::kProject},
    {"--platform", Option::kPlatform},
    {"--hash_value", Option::kHash},
    {"--builds", Option::kBuilds},
    {"--fail-on", Option::kFailOn},
}};

std::optional<Option> option_named(std::string_view name) {
  for (const auto& [known, option] : kOptions) {
    if (known == name) return option;
  }
  return std::nullopt;
}

std::optional<std::size_t> builds_of(std::string_view value) {
  std::size_t builds = 0;
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, builds);
  if (error != std::errc() || stop != end || builds < 1 || builds > kMostBuilds) return std::nullopt;
  return builds;
}

// The conditions of a comma-separated list; the first unknown one in
// `unknown`.
std::vector<report::Gate> gates_of(std::string_view list, std::optional<std::string>& unknown) {
  std::vector<report::Gate> gates;
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view name = list.substr(start, comma - start);
    if (const auto gate = report::find_gate(name)) {
      // A condition named twice is still one gate, reported once.
      if (std::find(gates.begin(), gates.end(), *gate) == gates.end()) gates.push_back(*gate);
    } else if (!unknown) {
      unknown = std::string(name);
    }
    start = comma + 1;
  }
  return gates;
}

ParsedReport refused(std::string message) { return {std::nullopt, std::move(message)}; }

// Takes one "--name=value" into the settings; the refusal, or empty.
std::string take_option(Option option, std::string_view value, ReportSettings& settings) {
  switch (option) {
    case Option::kDatabase:
      settings.database = value;
      break;
    case Option::kOutput:
      settings.output = value;
      break;
    case Option::kJson:
      if (value.empty()) return "QZTestResult error: --json names no file";
      settings.json = value;
      break;
    case Option::kProject:
      settings.request.project = value;
      break;
    case Option::kPlatform:
      settings.request.platform = value;
      break;
    case Option::kHash:
      settings.request.githash = value;
      break;
    case Option::kBuilds:
      if (const auto builds = builds_of(value)) {
        settings.request.builds = *builds;
        break;
      }
      return "QZTestResult error: --builds takes a number from 1 to " +
             std::to_string(kMostBuilds);
    case Option::kFailOn: {
      std::optional<std::string> unknown;
      settings.gates = gates_of(value, unknown);
      if (unknown) {
        return "QZTestResult error: Unknown --fail-on condition \"" + *unknown +
               "\"; the conditions are " + report::known_gates();
      }
      break;
    }
  }
  return {};
}

}  // namespace

bool is_report_command(const std::vector<std::string>& command_line) {
  return command_line.size() > 1 && command_line[1] == kWord;
}

ParsedReport parse_report_settings(const std::vector<std::string>& command_line) {
  ReportSettings settings;
  std::vector<Option> given;
  for (std::size_t i = 2; i < command_line.size(); ++i) {
    const std::string& argument = command_line[i];
    const std::size_t equals = argument.find('=');
    const auto option = option_named(std::string_view(argument).substr(0, equals));
    if (!option || equals == std::string::npos) {
      return refused("QZTestResult error: Unknown report option: " + argument);
    }
    if (std::find(given.begin(), given.end(), *option) != given.end()) {
      return refused("QZTestResult error: Option " + argument.substr(0, equals) +
                     " is given twice");
    }
    given.push_back(*option);
    if (std::string refusal = take_option(*option, argument.substr(equals + 1), settings);
        !refusal.empty()) {
      return refused(std::move(refusal));
    }
  }
  if (settings.database.empty() || settings.output.empty()) {
    return refused("QZTestResult error: The report needs --database and --output");
  }
  return {std::move(settings), {}};
}

void print_report_usage() {
  const std::string lines[] = {
      "Usage: QZTestResult.exe report",
      " --database=DB (the SQLite file or postgresql:// URI the rows were imported into)",
      " --output=PAGE.html",
      " --json=FILE (optional: every figure as JSON)",
      " --project_name=NAME (optional: this project only)",
      " --platform=NAME (optional: this platform only)",
      " --hash_value=HASH (optional: judge this build, not the latest)",
      " --builds=N (optional: how many builds the trends show, 1 to " +
          std::to_string(kMostBuilds) + ", default " +
          std::to_string(report::ReportRequest{}.builds) + ")",
      " --fail-on=LIST (optional: end with status 1 when one of " + report::known_gates() +
          " holds)",
  };
  for (const std::string& line : lines) print_line(line);
}

}  // namespace qz
