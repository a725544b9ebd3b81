#pragma once

#include <string_view>

#include "importers/build/map_record.h"
#include "input/pattern.h"

namespace qz {

// An indented KEIL map entry: symbol, 0x and eight hexadecimal digits, type,
// decimal size, then object(section).
const Pattern& keil_map_line_pattern();

// Fills `record` from a line of a KEIL linker map; false if the whole line
// does not match.
bool classify_keil_map_line(std::string_view line, MapRecord& record);

}  // namespace qz
