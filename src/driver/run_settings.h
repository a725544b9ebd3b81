#pragma once

#include <string>
#include <vector>

namespace qz {

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
};

// The program path plus at least six arguments.
bool has_enough_arguments(std::size_t element_count);

// Prints the usage text, one flushed line at a time.
void print_usage();

// Fills the settings from the command line, program path first. For each
// option the first element that begins with its name wins; the value is
// everything behind the name and the one character after it.
RunSettings parse_run_settings(const std::vector<std::string>& command_line);

}  // namespace qz
