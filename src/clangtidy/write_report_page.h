#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace qz {

// Writes every entry followed by "\n" to `output` (a text-mode file, so "\n"
// becomes the platform's line end) and closes it. False when `output` is
// null or writing or closing failed.
bool write_report_page(const std::vector<std::string>& entries, std::FILE* output);

}  // namespace qz
