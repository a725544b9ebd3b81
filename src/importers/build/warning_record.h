#pragma once

#include <string>
#include <string_view>

#include "input/pattern.h"

namespace qz {

// One recognised compiler diagnostic, texts as captured.
struct WarningRecord {
  std::string filename;  // below the source root
  std::string line;
  std::string type;      // "error" or "warning"
  std::string error_id;  // identifier ("Warning") or message text ("Warning_KEIL")
};

// Fills `record` from a whole-line match of a pattern whose four groups are
// the path, the line number, the type and the identifier or message, in that
// order; the path is cut below the source root.
bool match_warning_line(const Pattern& pattern, std::string_view line, WarningRecord& record);

}  // namespace qz
