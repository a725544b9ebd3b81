#pragma once

#include <string>

namespace qz {

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

}  // namespace qz
