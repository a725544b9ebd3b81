#pragma once

#include "driver/run_settings.h"

namespace qz {

// Reads the QAC result lines of settings.input, drops repeated findings,
// groups them by source file and writes settings.output: the q_results
// script for the parser type "QAC", the text report for "QAC_full_report".
// False when the output could not be written.
bool import_qac(const RunSettings& settings);

}  // namespace qz
