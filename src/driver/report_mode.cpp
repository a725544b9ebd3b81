#include "driver/report_mode.h"

#include <algorithm>

#include "core/database_reader.h"
#include "core/database_target.h"
#include "core/file.h"
#include "core/output.h"
#include "driver/driver.h"
#include "report/history.h"
#include "report/json.h"
#include "report/page.h"
#include "report/summary.h"
#include "report/text.h"

namespace qz {
namespace {

// Why the outputs cannot be written where they are asked for, or empty.
std::string output_refusal(const ReportSettings& settings) {
  const bool database_is_file = !is_postgresql_uri(settings.database);
  for (const std::string* output : {&settings.output, settings.json ? &*settings.json : nullptr}) {
    if (output != nullptr && database_is_file && same_path(*output, settings.database)) {
      return "QZTestResult error: Output and database are the same file";
    }
  }
  if (settings.json && same_path(settings.output, *settings.json)) {
    return "QZTestResult error: Page and JSON are the same file";
  }
  return {};
}

// Writes a whole output file, or leaves it empty and says why.
int write_output(const std::string& path, std::optional<File> console, const std::string& text) {
  File file = console ? std::move(*console) : File::open_output(path);
  if (!file.is_open() || !file.truncate_to_empty()) {
    return fail("QZTestResult error: Could not open output file", kStatusNoOutput);
  }
  if (!file.write(text.data(), text.size())) {
    file.truncate_to_empty();
    file.close();
    return fail("QZTestResult error: Could not write output file", kStatusNoOutput);
  }
  if (!file.close()) return fail("QZTestResult error: Could not write output file", kStatusNoOutput);
  return kStatusOk;
}

void print_results(const report::History& history,
                   const std::vector<std::vector<report::GateFailure>>& failures) {
  if (history.sections.empty()) {
    print_line(history.tables_found == 0
                   ? "QZTestResult note: the database holds none of the tables of imported rows"
                   : "QZTestResult note: the database holds no rows for what was asked");
  }
  for (const report::Section& section : history.sections) print_line(report::summary_line(section));
  for (const auto& section_failures : failures) {
    for (const report::GateFailure& failure : section_failures) {
      print_line("QZTestResult gate: " + std::string(report::gate_name(failure.gate)) + ": " +
                 failure.detail);
    }
  }
}

// Reads the database, then writes the page and the JSON; the gates decide
// the status once both are written.
int write_report(const ReportSettings& settings, std::optional<File> console_page,
           std::optional<File> console_json) {
  report::History history;
  {
    const std::unique_ptr<DatabaseReader> database = open_database_reader(settings.database);
    history = report::read_history(*database, settings.request);
  }
  std::vector<std::vector<report::GateFailure>> failures;
  bool failed = false;
  for (const report::Section& section : history.sections) {
    failures.push_back(report::failed_gates(section, settings.gates));
    failed = failed || !failures.back().empty();
  }
  if (const int status = write_output(settings.output, std::move(console_page),
                                      report::report_page(history, failures));
      status != kStatusOk) {
    return status;
  }
  if (settings.json) {
    const std::string json = report::report_json(history, settings.gates, failures);
    if (const int status = write_output(*settings.json, std::move(console_json), json);
        status != kStatusOk) {
      return status;
    }
  }
  print_results(history, failures);
  // A CI job that judges its own build must not pass its gates because the
  // build never reached the database.
  if (!settings.gates.empty() && settings.request.githash &&
      std::none_of(history.sections.begin(), history.sections.end(),
                   [](const report::Section& section) { return section.judged() != nullptr; })) {
    print_line("QZTestResult gate: no build: the database holds no rows of build " +
               report::shown_name(*settings.request.githash));
    failed = true;
  }
  return failed ? kStatusGateFailed : kStatusOk;
}

}  // namespace

int run_report(const std::vector<std::string>& command_line) {
  const ParsedReport parsed = parse_report_settings(command_line);
  // An output that is standard output gets the page or JSON alone.
  std::optional<File> console_page;
  std::optional<File> console_json;
  if (parsed.settings) {
    const ReportSettings& settings = *parsed.settings;
    auto console =
        take_console_files({&settings.output, settings.json ? &*settings.json : nullptr});
    console_page = std::move(console[0]);
    console_json = std::move(console[1]);
  }
  print_program_banner(command_line);
  if (!parsed.settings) {
    print_line(parsed.refusal);
    print_report_usage();
    return kStatusUsage;
  }
  if (const std::string refusal = output_refusal(*parsed.settings); !refusal.empty()) {
    return fail(refusal, kStatusNoOutput);
  }
  return write_report(*parsed.settings, std::move(console_page), std::move(console_json));
}

}  // namespace qz
