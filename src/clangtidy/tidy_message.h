#pragma once

#include <cstdint>
#include <string>

namespace qz {

// One clang-tidy diagnostic as the visualizer shows it.
struct TidyMessage {
  std::string file;    // the path before the position, ending in .cpp, .c or .h
  std::int32_t line = 0;
  std::int32_t column = 0;
  std::string check;   // the text of the last bracket pair
  std::string summary; // severity, message, check and trailing text, each followed by a blank
  std::string text;    // all lines of the diagnostic joined by single blanks
};

}  // namespace qz
