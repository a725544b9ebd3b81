#pragma once

#include "driver/run_settings.h"

namespace qz {

// Turns the clang-tidy console output in settings.input into an HTML page of
// its diagnostics per source file in settings.output, and says on the
// console whether that worked. When no diagnostic is found the output is
// left empty. Returns false when the output could not be written.
bool visualize_clang_tidy(const RunSettings& settings);

}  // namespace qz
