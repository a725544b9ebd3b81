#pragma once

#include <string>
#include <vector>

#include "importers/qac/qac_record.h"

namespace qz {

// Sorts by file name, line number, message number and message text (bytes
// compared unsigned) and drops repeated findings. The sort is stable, so of
// records equal in these four fields (they may differ in priority) the first
// in input order is the one kept.
void sort_and_deduplicate(std::vector<QacRecord>& records);

// The findings of the file at `input_path` (every line, a last one without
// line feed included), sorted and de-duplicated. The file is closed on return.
std::vector<QacRecord> read_qac_records(const std::string& input_path);

}  // namespace qz
