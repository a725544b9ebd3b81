#pragma once

#include <string_view>

#include "importers/build/warning_record.h"
#include "input/pattern.h"

namespace qz {

// "file:line:column: warning: message" (or error).
const Pattern& keil_warning_line_pattern();

// Fills `record` from one KEIL compiler output line, the message text as
// error_id; false if the whole line does not match.
bool classify_keil_line(std::string_view line, WarningRecord& record);

}  // namespace qz
