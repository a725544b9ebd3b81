#include "importers/build/tricore_warning_line.h"

#include "importers/build/replace_all.h"
#include "importers/build/strip_source_root.h"

namespace qz {

const Pattern& tricore_line_pattern() {
  static const Pattern pattern(
      R"re(ctc[[:space:]]W([0-9]+):[[:space:]]+\["(.*)"[[:space:]]+([0-9]+)/[0-9]+\])re"
      R"re([[:space:]]+(.*))re");
  return pattern;
}

bool classify_tricore_line(std::string_view line, TricoreWarningRecord& record) {
  std::string_view groups[4];
  if (!tricore_line_pattern().match(line, groups)) return false;
  // Windows paths: slashes first, so that the source root is found.
  const std::string path = replace_all(groups[1], "\\", "/");
  record.filename = strip_source_root(path);
  record.line = groups[2];
  record.type = "Warning";
  record.warning_number = groups[0];
  record.message = replace_all(groups[3], "\"", "'");
  return true;
}

}  // namespace qz
