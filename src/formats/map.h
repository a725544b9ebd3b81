#pragma once

// Linker maps into compiler_map.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/pattern.h"
#include "core/run.h"

namespace qz {

// One placed piece of code or data.
struct MapRecord {
  std::string originhex;  // start address, hexadecimal digits as read
  std::uint32_t origindec = 0;
  std::string sizehex;  // size, hexadecimal digits
  std::uint32_t sizedec = 0;
  std::string section;
  std::string filename;  // module or object file
};

// "origin+size  section  module": eight and six lower-case hexadecimal
// digits, a section (or two joined by " -> "), then the module name.
const Pattern& map_line_pattern();
bool classify_map_line(std::string_view line, MapRecord& record);
// An indented KEIL map entry: symbol, 0x and eight hexadecimal digits, type,
// decimal size, then object(section).
const Pattern& keil_map_line_pattern();
bool classify_keil_map_line(std::string_view line, MapRecord& record);

void import_map(const Run& run);
void import_keil_map(const Run& run);

}  // namespace qz
