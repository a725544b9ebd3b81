#pragma once

#include <string>
#include <vector>

namespace qz {

// Exit statuses of a run.
enum ExitStatus : int {
  kStatusOk = 0,
  kStatusUsage = -1,
  kStatusNoInput = -2,
  kStatusNoOutput = -3,
  kStatusUnknownParser = -4,
};

// One whole run: banner, command-line check, input and output checks, then
// the importer chosen by the parser type. Returns the exit status.
int run_program(const std::vector<std::string>& command_line);

}  // namespace qz
