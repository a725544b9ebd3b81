#pragma once

#include <string>
#include <vector>

#include "clangtidy/file_group.h"

namespace qz {

// The page as a list of entries; the writer puts a line feed after each.
// Groups are numbered by their position, from 0; file names and message
// texts are HTML-escaped. Meant for at least one group.
std::vector<std::string> build_report_page(const std::vector<FileGroup>& groups);

}  // namespace qz
