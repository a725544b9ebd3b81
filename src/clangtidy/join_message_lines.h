#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

class Pattern;

// The first line of a diagnostic: a position "line:column:", white space, a
// severity, a colon and white space, anything around them.
const Pattern& tidy_start_pattern();

// True when the whole line matches tidy_start_pattern.
bool starts_tidy_message(std::string_view line);

// A message being joined from input lines, fed one line at a time so that
// the whole input never has to be held.
struct MessageJoiner {
  std::string text;        // the message joined so far
  bool has_text = false;   // false until the first line came
};

// Adds the next input line. The first line, and every line that starts a
// diagnostic, begins a new message; any other line is appended to the
// current message after one blank. When a new message begins, the previous
// one is handed out in `finished` and true is returned.
bool add_message_line(MessageJoiner& joiner, std::string_view line, std::string& finished);

// Hands out the last message at the end of the input; false when no line came.
bool finish_message(MessageJoiner& joiner, std::string& finished);

// The message texts of a whole input, in order.
std::vector<std::string> join_message_lines(const std::vector<std::string>& lines);

}  // namespace qz
