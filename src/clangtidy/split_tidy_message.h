#pragma once

#include <array>
#include <string_view>

namespace qz {

// The eight capture groups of tidy_message_pattern: file, extension, line,
// column, severity, message, check, trailer.
using TidyMessageGroups = std::array<std::string_view, 8>;

// Finds the groups that tidy_message_pattern captures on `text`, with the
// same greedy choices, by scanning for the few places where they can begin
// and end. The regular-expression engine needs some twenty times as long to
// report groups on these long joined texts as to decide a match. False when
// the text does not match.
bool split_tidy_message(std::string_view text, TidyMessageGroups& groups);

}  // namespace qz
