#include "clangtidy/parse_tidy_message.h"

#include <limits>

#include "clangtidy/split_tidy_message.h"
#include "input/pattern.h"

namespace qz {

const Pattern& tidy_message_pattern() {
  static const Pattern pattern(
      R"((.*\.(cpp|c|h))\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+(.*)\[(.*)\](.*))");
  return pattern;
}

std::int32_t position_number(std::string_view digits) {
  constexpr std::int32_t kLargest = std::numeric_limits<std::int32_t>::max();
  std::int32_t value = 0;
  for (const char digit : digits) {
    const int next = digit - '0';
    if (value > (kLargest - next) / 10) return kLargest;
    value = value * 10 + next;
  }
  return value;
}

bool parse_tidy_message(std::string_view text, TidyMessage& message) {
  enum Group { kFile, kExtension, kLine, kColumn, kSeverity, kMessage, kCheck, kTrailer };
  // The pattern decides; the scan only finds where its groups lie.
  TidyMessageGroups groups;
  if (!tidy_message_pattern().matches(text) || !split_tidy_message(text, groups)) return false;

  message.file.assign(groups[kFile]);
  message.line = position_number(groups[kLine]);
  message.column = position_number(groups[kColumn]);
  message.check.assign(groups[kCheck]);
  message.summary.clear();
  for (const Group part : {kSeverity, kMessage, kCheck, kTrailer}) {
    message.summary.append(groups[part]);
    message.summary += ' ';
  }
  message.text.assign(text);
  return true;
}

}  // namespace qz
