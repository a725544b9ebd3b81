#include "importers/build/warning_record.h"

#include "importers/build/strip_source_root.h"

namespace qz {

bool match_warning_line(const Pattern& pattern, std::string_view line, WarningRecord& record) {
  std::string_view groups[4];
  if (!pattern.match(line, groups)) return false;
  record.filename = strip_source_root(groups[0]);
  record.line = groups[1];
  record.type = groups[2];
  record.error_id = groups[3];
  return true;
}

}  // namespace qz
