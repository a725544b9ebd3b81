#pragma once

#include <cstdint>
#include <string_view>

#include "clangtidy/tidy_message.h"

namespace qz {

class Pattern;

// A whole diagnostic: a path ending in .cpp, .c or .h, "line:column:", a
// severity, the message, a bracket pair holding the check, and what follows.
const Pattern& tidy_message_pattern();

// Fills `message` from one joined message text; false (and `message`
// untouched) when the text does not match tidy_message_pattern.
bool parse_tidy_message(std::string_view text, TidyMessage& message);

// The value of a run of decimal digits; values beyond the 32-bit range give
// the largest 32-bit value instead of wrapping.
std::int32_t position_number(std::string_view digits);

}  // namespace qz
