#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qz {

// The literal texts that every line matching an ECMAScript pattern (as a
// whole) must hold, in order: the pattern's literal runs and its groups of
// literal alternatives such as (error|warning), outside repetitions, with
// the line's first and last ones anchored where the pattern begins or ends
// with one. Most lines of a log lack one of them, and finding literals is
// far cheaper than running an automaton, so this test settles them first.
// It never rejects a line the pattern matches.
class LiteralChain {
 public:
  explicit LiteralChain(std::string_view ecmascript);

  // False when the line cannot match the pattern.
  bool may_match(std::string_view line) const;

 private:
  // Each step: one of its texts must stand after the previous step's.
  std::vector<std::vector<std::string>> steps_;
  bool anchored_start_ = false;     // the first step begins the line
  bool anchored_end_ = false;       // the last step ends the line
  bool ends_before_space_ = false;  // ... or all that follows it is white space
  std::size_t longest_step_ = 0;    // the step of the longest single text, if any
};

}  // namespace qz
