#pragma once

#include <string_view>

#include "importers/build/warning_record.h"
#include "input/pattern.h"

namespace qz {

// "\"file\", line N: warning #id:" -- the line must end with the colon
// (blanks may follow).
const Pattern& warning_line_pattern();

// Fills `record` from one compiler output line; false if the whole line does
// not match.
bool classify_warning_line(std::string_view line, WarningRecord& record);

// The number inside an identifier such as "#552-D": the first character
// dropped and, from three characters on, the last two as well. Empty for an
// empty identifier.
std::string_view warning_error_number(std::string_view error_id);

}  // namespace qz
