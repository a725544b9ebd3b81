#pragma once

#include <span>
#include <string>
#include <vector>

#include "report/figures.h"
#include "report/gates.h"

namespace qz::report {

// At most this many sections are drawn in full (figures, trend charts,
// change lists), and another only while those drawn take fewer than
// kDrawnBytes; the overview at the top names every section up to
// kOverviewSections. With the caps on builds, tools, memory sections, list
// entries and name lengths, which keep one section under about 700 KB, the
// page stays under 2 MB whatever the database holds.
inline constexpr std::size_t kDrawnSections = 6;
inline constexpr std::size_t kDrawnBytes = 1'000'000;
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
