#include "importers/build/keil_map_line.h"

#include "importers/build/map_numbers.h"

namespace qz {

const Pattern& keil_map_line_pattern() {
  static const Pattern pattern(
      R"(^\s+(.*)\s+0x([0-9a-f]{8})\s+([a-zA-Z\s]+)\s+([0-9]+)\s+)"
      R"(([.a-zA-Z_0-9]+)\((.*?)\)(.*))");
  return pattern;
}

bool classify_keil_map_line(std::string_view line, MapRecord& record) {
  // Groups 1 (symbol), 3 (type) and 7 (rest) are matched but not kept.
  std::string_view groups[7];
  if (!keil_map_line_pattern().match(line, groups)) return false;
  record.matched = true;
  record.originhex = groups[1];
  record.origindec = parse_hex_uint32(groups[1]);
  record.sizedec = parse_decimal_uint32(groups[3]);
  record.sizehex = hex_text(record.sizedec);
  record.section = groups[5];
  record.filename = groups[4];
  return true;
}

}  // namespace qz
