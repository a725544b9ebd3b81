#pragma once

// Compiler output of three toolchains into compiler_results.

#include <string>
#include <string_view>

#include "core/pattern.h"
#include "core/run.h"

namespace qz {

struct WarningRecord {
  std::string filename;  // below the source root
  std::string line;
  std::string type;      // "error" or "warning"
  std::string error_id;  // identifier ("Warning") or message text ("Warning_KEIL")
};

// "\"file\", line N: warning #id:" -- the line ends with the colon (blanks
// may follow).
const Pattern& warning_line_pattern();
bool classify_warning_line(std::string_view line, WarningRecord& record);
// The number inside an identifier such as "#552-D": the first character
// dropped and, from three characters on, the last two as well. Empty for an
// empty identifier.
std::string_view warning_error_number(std::string_view error_id);

// "file:line:column: warning: message" (or error).
const Pattern& keil_warning_line_pattern();
bool classify_keil_line(std::string_view line, WarningRecord& record);
// The warning option that ends a message ("... [-Wformat]", also
// "[-Werror,-Wformat]"), which names the kind of finding; empty when there
// is none.
std::string_view keil_warning_option(std::string_view message);

struct TricoreWarningRecord {
  std::string filename;  // forward slashes, below the source root
  std::string line;
  std::string type;  // always "Warning"
  std::string warning_number;
  std::string message;  // double quotes turned into apostrophes
};

// "ctc W527: [\"path\" line/column] message".
const Pattern& tricore_line_pattern();
bool classify_tricore_line(std::string_view line, TricoreWarningRecord& record);

void import_warning(const Run& run);
void import_warning_keil(const Run& run);
void import_warning_tricore(const Run& run);

}  // namespace qz
