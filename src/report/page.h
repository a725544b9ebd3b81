#pragma once

#include <span>
#include <string>
#include <vector>

#include "report/figures.h"
#include "report/gates.h"

namespace qz::report {

// At most this many sections are drawn in full (figures, trend charts,
// change lists); the overview at the top names every section up to
// kOverviewSections. Together with the caps on builds, tools, memory
// sections, list entries and name lengths, this keeps the page under about
// 2 MB whatever the database holds.
inline constexpr std::size_t kDrawnSections = 6;
inline constexpr std::size_t kOverviewSections = 200;

// The whole page: one self-contained HTML file that loads nothing and reads
// fully with scripts and style sheets blocked. `failures` holds the failed
// gates of each section, in the order of history.sections.
std::string report_page(const History& history,
                        std::span<const std::vector<GateFailure>> failures);

// The parts of a drawn section (trends.cpp, change_lists.cpp).
void append_trends(std::string& html, const Section& section);
void append_change_lists(std::string& html, const Section& section);

}  // namespace qz::report
