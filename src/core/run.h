#pragma once

#include <optional>
#include <string>

namespace qz {

class FindingSink;
class LineReader;
class Output;
class RowSink;

// What one run is told on the command line. Every text is taken verbatim;
// a missing option leaves its text empty.
struct RunSettings {
  std::string hash_value;
  std::string input;
  std::string output;
  std::string parser_type;
  std::string platform;
  std::string project_name;
  std::string tool_name;
  std::string test_type;
  // --database: where the rows are imported besides the script; empty when
  // the option came without a value, absent when it was not given.
  std::optional<std::string> database;
  // --sarif: where the findings are written as a SARIF log, as --database.
  std::optional<std::string> sarif;
};

// The local date (YYYY-MM-DD) and time (HH:MM:SS) of the run.
struct RunTimestamp {
  std::string date;
  std::string time;
};

// Reads the clock on the first call; every later call in the process returns
// the same texts, so all rows of a run carry one instant.
const RunTimestamp& run_timestamp();

// Formats a count of seconds since 1970-01-01 UTC as local date and time.
RunTimestamp format_local_timestamp(long long seconds_since_epoch);

// What an importer works with: the settings, the open input, the output and,
// when the rows are also imported into a database, where they go; when the
// findings are also written as a SARIF log, where they go.
struct Run {
  const RunSettings& settings;
  LineReader& input;
  Output& output;
  RowSink* database = nullptr;
  FindingSink* findings = nullptr;
};

}  // namespace qz
