#pragma once

// Clang-tidy console output cut into messages.

#include <cstddef>
#include <string>
#include <string_view>

#include "core/line_reader.h"

namespace qz {

// True when the whole line is the first line of a diagnostic, as the pattern
// .*\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+.*
// matches it: "line:column:", white space, a severity, a colon and white
// space, anything around them. Decided by a scan, not an automaton.
bool starts_tidy_message(std::string_view line);
// True for a line that clang-tidy or its parallel runner print about the run
// itself rather than about the code: "N warnings generated.", "Suppressed N
// warnings (...).", "Use -header-filter=...", "[i/n] Processing file ...",
// "Error while processing ...", "Found compiler error...", "Fixes have NOT
// been applied." and a command line whose first word names clang-tidy
// (clang-tidy, clang-tidy-N or clang-tidy.exe, after any directory).
bool is_run_line(std::string_view line);

// Joins input lines into message texts, one line at a time, so that the
// whole input is never held. The first line, and every line that starts a
// diagnostic, begins a new message; any other line is appended to the
// current one after one blank. A run line (is_run_line) ends the current
// message too, but it and the lines after it, up to the next diagnostic,
// are left out: clang-tidy's words about the run belong to no message. A
// message that grows beyond `max_size` bytes is dropped whole and counted,
// so that no input exhausts the memory.
class MessageJoiner {
 public:
  explicit MessageJoiner(std::size_t max_size = LineReader::kDefaultMaxLine)
      : max_size_(max_size) {}

  // True when `line` began a new message and the previous one is handed out
  // in `finished`.
  bool add_line(std::string_view line, std::string& finished);
  // Hands out the last message at the end of the input; false when no line
  // came.
  bool finish(std::string& finished);
  // Messages dropped for their size.
  std::size_t dropped() const { return dropped_; }

 private:
  bool hand_out(std::string& finished);

  std::size_t max_size_;
  std::string text_;
  bool has_text_ = false;
  bool in_run_text_ = false;  // lines up to the next diagnostic are left out
  bool too_long_ = false;
  std::size_t dropped_ = 0;
};

}  // namespace qz
