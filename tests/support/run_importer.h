#pragma once

#include <string>
#include <string_view>

#include "driver/dispatch.h"
#include "driver/run_settings.h"

namespace qz::test {

// What one importer call left behind.
struct ImportOutcome {
  bool ok = false;
  std::string output;  // the output file's content
  std::string stdout_text;
};

// Settings with descriptive values that show up in every row.
RunSettings sample_settings();

// Writes `input` to a temporary file, runs `importer` with `settings` (input
// and output paths replaced) and collects the output file and the console.
ImportOutcome run_importer(Importer importer, RunSettings settings, std::string_view input);

// The run's quoted descriptive values as they appear in rows, e.g.
// "\"Hmt4\", \"App\", \"QAC\", \"abc123\", \"<date>\", \"<time>\"".
std::string quoted_run_values(bool with_tool);

}  // namespace qz::test
