#include "importers/build/warning_line.h"

namespace qz {

const Pattern& warning_line_pattern() {
  static const Pattern pattern(
      R"re("(.*)",[[:space:]]+line[[:space:]]+([0-9]+):[[:space:]]+(error|warning))re"
      R"re([[:space:]]+(.*):[[:space:]]*)re");
  return pattern;
}

bool classify_warning_line(std::string_view line, WarningRecord& record) {
  return match_warning_line(warning_line_pattern(), line, record);
}

std::string_view warning_error_number(std::string_view error_id) {
  if (error_id.empty()) return error_id;
  error_id.remove_prefix(1);
  // The identifier had at least three characters: drop its suffix ("-D").
  if (error_id.size() >= 2) error_id.remove_suffix(2);
  return error_id;
}

}  // namespace qz
