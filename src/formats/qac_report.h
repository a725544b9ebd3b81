#pragma once

// The QAC findings as a text report for people.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/output.h"
#include "core/run.h"
#include "formats/qac.h"

namespace qz {

// The figures of one file in the report; `total` is the sum of the others.
struct BandCounts {
  std::uint64_t total = 0;
  std::uint64_t prio_0_4 = 0;
  std::uint64_t prio_5_7 = 0;
  std::uint64_t prio_8_9 = 0;
  std::uint64_t his = 0;
};
BandCounts count_bands(const QacFileGroup& group);
// The right-hand part of a table row: total, priorities 9-8, 7-5, 4-0 and
// HIS, each quoted and right-aligned under the end of its label (fields of
// 43, 19, 15, 15 and 10 characters). A number too long for its field pushes
// the rest of the row right.
std::string format_band_counts(const BandCounts& counts);
// One table row: the name in a column of 80 characters (a longer name is
// followed directly by the counts), then format_band_counts.
std::string report_row(const QacFileGroup& group);

// Where the labels of the report's table start, counted from 0. The name
// column is as wide as the longest file name, but at least 72 characters.
struct ReportColumns {
  std::string header;
  std::size_t name_width = 0;
  std::size_t totals = 0;
  std::size_t prio_9_8 = 0;
  std::size_t prio_7_5 = 0;
  std::size_t prio_4_0 = 0;
  std::size_t his = 0;
};
ReportColumns report_header(std::span<const QacFileGroup> groups);
// The dashed line under the header: one run of hyphens under each label.
std::string report_separator(const ReportColumns& columns);

// Totals, the run's context, a table with one row per file (in group order)
// and every finding per file.
void write_qac_report(const RunSettings& settings, std::size_t unique_findings,
                      std::span<const QacFileGroup> groups, Output& output);
void import_qac_report(const Run& run);

}  // namespace qz
