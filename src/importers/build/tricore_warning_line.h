#pragma once

#include <string>
#include <string_view>

#include "input/pattern.h"

namespace qz {

// One recognised Tricore compiler warning.
struct TricoreWarningRecord {
  std::string filename;  // forward slashes, below the source root
  std::string line;
  std::string type;  // always "Warning"
  std::string warning_number;
  std::string message;  // double quotes turned into apostrophes
};

// "ctc W527: [\"path\" line/column] message".
const Pattern& tricore_line_pattern();

// Fills `record` from one compiler output line; false if the whole line does
// not match.
bool classify_tricore_line(std::string_view line, TricoreWarningRecord& record);

}  // namespace qz
