#include "support/tidy_patterns.h"

namespace qz::test {

const Pattern& tidy_start_pattern() {
  static const Pattern pattern(kTidyStartText);
  return pattern;
}

const Pattern& tidy_message_pattern() {
  static const Pattern pattern(kTidyMessageText);
  return pattern;
}

}  // namespace qz::test
