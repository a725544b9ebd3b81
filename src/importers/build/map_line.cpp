#include "importers/build/map_line.h"

#include "importers/build/map_numbers.h"

namespace qz {

const Pattern& map_line_pattern() {
  // The arrow form comes first so that "a -> b" stays one section; its
  // second name is lazy so that the blanks before the module end it.
  static const Pattern pattern(
      R"(([0-9a-f]{8})\+([0-9a-f]{6})[[:space:]]+)"
      R"(([\.a-zA-Z_0-9]* -> [\.a-zA-Z_0-9]*?|[\.a-zA-Z_0-9]*)[[:space:]]+(.*))");
  return pattern;
}

bool classify_map_line(std::string_view line, MapRecord& record) {
  std::string_view groups[4];
  if (!map_line_pattern().match(line, groups)) return false;
  record.matched = true;
  record.originhex = groups[0];
  record.origindec = parse_hex_uint32(groups[0]);
  record.sizehex = groups[1];
  record.sizedec = parse_hex_uint32(groups[1]);
  record.section = groups[2];
  record.filename = groups[3];
  return true;
}

}  // namespace qz
