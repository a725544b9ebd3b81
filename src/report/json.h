#pragma once

#include <span>
#include <string>
#include <vector>

#include "report/figures.h"
#include "report/gates.h"

namespace qz::report {

// Every figure and change list of the report as one JSON document, for CI
// systems and dashboards (the fields are described in README.md): the
// sections with the judged and previous builds, their figures, the trend
// builds, the change lists (cut like the page's, with their full counts)
// and the summary line, then the gates asked for and those that failed.
std::string report_json(const History& history, std::span<const Gate> gates,
                        std::span<const std::vector<GateFailure>> failures);

}  // namespace qz::report
