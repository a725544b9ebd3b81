// Linker maps into compiler_map: the plain form ("origin+size section
// module") and the KEIL form (symbol, address, type, size, object(section)).
#include "core/line_reader.h"
#include "core/sql.h"
#include "core/util.h"
#include "formats/map.h"

namespace qz {
namespace {

constexpr SqlTable kMapTable{
    "compiler_map",
    "create table if not exists compiler_map (platform, project, githash, date, time, originhex, "
    "origindec INT, sizehex, sizedec INT, section, filename);",
    "insert into compiler_map (platform, project, githash, date, time, originhex, origindec, "
    "sizehex, sizedec, section, filename) values (",
    false};

// Both map importers differ only in how they read a line.
void import_map_with(const Run& run, const Pattern& pattern,
                     bool (*classify)(std::string_view, MapRecord&)) {
  SqlScript script(run, kMapTable);
  read_records<MapRecord>(
      run.input, pattern.needed_texts(), classify, [&](const MapRecord& record) {
        script.row({record.originhex, DecimalText(record.origindec).view(), record.sizehex,
                    DecimalText(record.sizedec).view(), record.section, record.filename});
      });
}

}  // namespace

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
  record.originhex = groups[0];
  record.origindec = parse_hex_uint32(groups[0]);
  record.sizehex = groups[1];
  record.sizedec = parse_hex_uint32(groups[1]);
  record.section = groups[2];
  record.filename = groups[3];
  return true;
}

const Pattern& keil_map_line_pattern() {
  static const Pattern pattern(R"(^\s+(.*)\s+0x([0-9a-f]{8})\s+([a-zA-Z\s]+)\s+([0-9]+)\s+)"
                               R"(([.a-zA-Z_0-9]+)\((.*?)\)(.*))");
  return pattern;
}

bool classify_keil_map_line(std::string_view line, MapRecord& record) {
  // Groups 1 (symbol), 3 (type) and 7 (rest) are matched but not kept.
  std::string_view groups[7];
  if (!keil_map_line_pattern().match(line, groups)) return false;
  record.originhex = groups[1];
  record.origindec = parse_hex_uint32(groups[1]);
  record.sizedec = parse_decimal_uint32(groups[3]);
  record.sizehex = hex_text(record.sizedec);
  record.section = groups[5];
  record.filename = groups[4];
  return true;
}

void import_map(const Run& run) { import_map_with(run, map_line_pattern(), classify_map_line); }

void import_keil_map(const Run& run) {
  import_map_with(run, keil_map_line_pattern(), classify_keil_map_line);
}

}  // namespace qz
