#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// The date (YYYY-MM-DD) and time (HH:MM:SS) of the run.
struct RunTimestamp {
  std::string date;
  std::string time;
};

// Read on the first call; every later call in the process returns the same
// texts, so all rows of a run carry one instant. Where SOURCE_DATE_EPOCH
// holds a count of seconds since 1970 (the reproducible-builds convention,
// so that scripts and tests can date a build), that instant in UTC;
// otherwise the clock, in local time.
const RunTimestamp& run_timestamp();

// Whether SOURCE_DATE_EPOCH is set, not empty, and not a count of seconds
// that parse_epoch_seconds takes; the driver refuses to run then.
bool source_date_epoch_is_malformed();

// Decimal digits alone, at most 253402300799 (the last second of 9999).
std::optional<long long> parse_epoch_seconds(std::string_view text);

// Formats a count of seconds since 1970-01-01 UTC as local date and time.
RunTimestamp format_local_timestamp(long long seconds_since_epoch);

// The same in UTC.
RunTimestamp format_utc_timestamp(long long seconds_since_epoch);

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
