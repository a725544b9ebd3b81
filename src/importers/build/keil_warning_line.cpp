#include "importers/build/keil_warning_line.h"

#include "importers/build/strip_source_root.h"

namespace qz {

const Pattern& keil_warning_line_pattern() {
  static const Pattern pattern(
      R"((.*):([0-9]+):[0-9]+:[[:space:]]+(error|warning):[[:space:]]+(.*))");
  return pattern;
}

bool classify_keil_line(std::string_view line, WarningRecord& record) {
  std::string_view groups[4];
  const Pattern& pattern = keil_warning_line_pattern();
  if (!pattern.match(line, groups)) return false;
  record.filename = strip_source_root(groups[0]);
  record.line = groups[1];
  record.type = groups[2];
  record.error_id = groups[3];
  return true;
}

}  // namespace qz
