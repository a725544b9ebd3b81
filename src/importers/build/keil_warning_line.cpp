#include "importers/build/keil_warning_line.h"

namespace qz {

const Pattern& keil_warning_line_pattern() {
  static const Pattern pattern(
      R"((.*):([0-9]+):[0-9]+:[[:space:]]+(error|warning):[[:space:]]+(.*))");
  return pattern;
}

bool classify_keil_line(std::string_view line, WarningRecord& record) {
  return match_warning_line(keil_warning_line_pattern(), line, record);
}

}  // namespace qz
