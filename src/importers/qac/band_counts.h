#pragma once

#include <cstdint>
#include <string>

#include "importers/qac/group_by_file.h"

namespace qz {

// The figures of one file in the report. Every finding falls into exactly
// one of the four last counters, so `total` is their sum.
struct BandCounts {
  std::uint64_t total = 0;
  std::uint64_t prio_0_4 = 0;
  std::uint64_t prio_5_7 = 0;
  std::uint64_t prio_8_9 = 0;
  std::uint64_t his = 0;
};

BandCounts count_bands(const QacFileGroup& group);

// The right-hand part of a table row: total, priorities 9-8, 7-5, 4-0 and
// HIS, each quoted and right-aligned so that its closing quote stands under
// the end of its label (fields of 43, 19, 15, 15 and 10 characters). A
// number too long for its field pushes the rest of the row right.
std::string format_band_counts(const BandCounts& counts);

// One table row: the name in a column of 80 characters (a longer name is
// followed directly by the counts), then format_band_counts.
std::string report_row(const QacFileGroup& group);

}  // namespace qz
