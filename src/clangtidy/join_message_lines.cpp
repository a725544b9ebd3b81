#include "clangtidy/join_message_lines.h"

#include <utility>

#include "input/pattern.h"

namespace qz {

const Pattern& tidy_start_pattern() {
  static const Pattern pattern(
      R"(.*\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+.*)");
  return pattern;
}

namespace {

// Every start line holds its severity followed by a colon. Looking for that
// first spares the pattern most source and marker lines.
bool names_a_severity(std::string_view line) {
  return line.find("warning:") != std::string_view::npos ||
         line.find("error:") != std::string_view::npos ||
         line.find("note:") != std::string_view::npos;
}

}  // namespace

bool starts_tidy_message(std::string_view line) {
  return names_a_severity(line) && tidy_start_pattern().matches(line);
}

bool add_message_line(MessageJoiner& joiner, std::string_view line, std::string& finished) {
  if (joiner.has_text && !starts_tidy_message(line)) {
    joiner.text += ' ';
    joiner.text.append(line);
    return false;
  }
  const bool finished_one = joiner.has_text;
  // Swapping keeps both buffers' capacity, so long inputs do not allocate per message.
  if (finished_one) std::swap(finished, joiner.text);
  joiner.text.assign(line);
  joiner.has_text = true;
  return finished_one;
}

bool finish_message(MessageJoiner& joiner, std::string& finished) {
  if (!joiner.has_text) return false;
  std::swap(finished, joiner.text);
  joiner.text.clear();
  joiner.has_text = false;
  return true;
}

std::vector<std::string> join_message_lines(const std::vector<std::string>& lines) {
  std::vector<std::string> messages;
  MessageJoiner joiner;
  std::string finished;
  for (const std::string& line : lines) {
    if (add_message_line(joiner, line, finished)) messages.push_back(finished);
  }
  if (finish_message(joiner, finished)) messages.push_back(finished);
  return messages;
}

}  // namespace qz
