#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "importers/qac/qac_record.h"

namespace qz {

// The findings of one source file: a run of records of the sorted list, in
// their sorted order (line number, message number, text).
struct QacFileGroup {
  std::string_view file_name;
  std::span<const QacRecord> records;
};

// One group per file name, the group with more records first and, at equal
// counts, the greater file name first. `records` must be sorted by file name
// (as read_qac_records leaves them) and outlive the groups.
std::vector<QacFileGroup> group_by_file(const std::vector<QacRecord>& records);

}  // namespace qz
