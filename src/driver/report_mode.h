#pragma once

// The report mode: `QZTestResult report --database=DB --output=PAGE.html
// ...` reads the database and writes the quality page, the JSON, summary
// lines and the gates' verdict.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/figures.h"
#include "report/gates.h"

namespace qz {

// Whether the command line asks for the report: its first argument is
// "report".
bool is_report_command(const std::vector<std::string>& command_line);

struct ReportSettings {
  std::string database;
  std::string output;
  std::optional<std::string> json;
  report::ReportRequest request;
  std::vector<report::Gate> gates;
};

// The most builds a trend shows, so that the page stays small.
inline constexpr std::size_t kMostBuilds = 100;

// The settings, or why the command line cannot be followed: the message to
// print before the usage text ("QZTestResult error: ...").
struct ParsedReport {
  std::optional<ReportSettings> settings;
  std::string refusal;
};
ParsedReport parse_report_settings(const std::vector<std::string>& command_line);

void print_report_usage();

// The whole report run after the program path and "report"; returns the
// exit status.
int run_report(const std::vector<std::string>& command_line);

}  // namespace qz
