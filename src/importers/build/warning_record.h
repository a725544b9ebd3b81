#pragma once

#include <string>

namespace qz {

// One recognised compiler diagnostic, texts as captured.
struct WarningRecord {
  std::string filename;  // below the source root
  std::string line;
  std::string type;      // "error" or "warning"
  std::string error_id;  // identifier ("Warning") or message text ("Warning_KEIL")
};

}  // namespace qz
