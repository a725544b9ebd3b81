#pragma once

#include <string_view>

#include "importers/build/map_record.h"
#include "input/pattern.h"

namespace qz {

// "origin+size  section  module": eight and six lower-case hexadecimal
// digits, a section (or two joined by " -> "), then the module name.
const Pattern& map_line_pattern();

// Fills `record` from a line of the plain linker map; false if the whole
// line does not match.
bool classify_map_line(std::string_view line, MapRecord& record);

}  // namespace qz
