#pragma once

#include <string>
#include <string_view>

#include "driver/run_settings.h"

namespace qz {

// Whether a table has the descriptive column "tool".
enum class ToolColumn { kWith, kWithout };

// The quoted descriptive values that lead every row of a run, joined by
// ", ": platform, project, [tool,] githash, date, time.
std::string run_column_values(const RunSettings& settings, ToolColumn tool);

// Builds one INSERT statement: the table's prefix (ending in "values ("),
// the values joined by ", ", then ");".
class InsertStatement {
 public:
  InsertStatement(std::string_view prefix, std::string_view run_values);

  InsertStatement& quoted(std::string_view value);  // through quote_value
  InsertStatement& bare(std::string_view value);    // written as it is

  // The finished statement; call once, last.
  std::string finish();

 private:
  std::string text_;
};

}  // namespace qz
