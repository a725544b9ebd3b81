#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/pattern.h"

namespace qz::test {

// Expects `pattern` to give, on every line, what ECMAScript std::regex_match
// gives for `ecmascript`: the same whole-line match result and, on a match,
// the same text and participation for every capture group.
void expect_same_as_ecmascript(const Pattern& pattern, std::string_view ecmascript,
                               const std::vector<std::string>& lines);

// The seed lines plus deterministic variations of each: carriage returns,
// tabs, vertical tabs, bytes above 127, deleted, doubled and swapped
// characters, blanks at either end, cut-off lines.
std::vector<std::string> with_mutations(const std::vector<std::string>& seeds);

}  // namespace qz::test
