#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "importers/qac/group_by_file.h"

namespace qz {

// The figures of one file in q_results: findings per priority that are not
// HIS messages, and HIS messages.
struct PriorityCounts {
  std::array<std::uint64_t, 10> by_priority{};
  std::uint64_t his = 0;
};

PriorityCounts count_priorities(const QacFileGroup& group);

// The eleven quoted counts, priorities 0 to 9 and then HIS, joined by ", ".
std::string format_priority_counts(const PriorityCounts& counts);

}  // namespace qz
