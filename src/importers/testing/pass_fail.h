#pragma once

#include "driver/run_settings.h"

namespace qz {

// Reads settings.input and writes settings.output; false when the output
// could not be written.
bool import_pass_fail(const RunSettings& settings);

}  // namespace qz
