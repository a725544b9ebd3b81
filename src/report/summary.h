#pragma once

#include <string>

#include "report/figures.h"

namespace qz::report {

// One line on the judged build of a section and its changes from the
// previous build, e.g. "K7Qx22_App_default Hmt4 0123abcd: tests 412
// passed, 3 failed (+1); CTC C0 82.1% (-0.4); warnings 57 (+2 new, -1
// fixed); QAC 310 (+5); memory 181,204 bytes (+96)". A figure that was not
// measured is left out, and so is a change where the previous build did not
// measure it.
std::string summary_line(const Section& section);

// The same behind "<project> <platform> <githash>: ".
std::string summary_figures(const Section& section);

}  // namespace qz::report
