#pragma once

// The HTML page of clang-tidy findings.

#include <span>
#include <string_view>
#include <vector>

#include "core/output.h"
#include "formats/clang_tidy.h"

namespace qz {

// The messages of one source file, one section of the page.
struct FileGroup {
  std::string_view path;
  std::span<const TidyMessage> messages;
};
// One group per file of the sorted messages, in ascending byte order of
// their paths.
std::vector<FileGroup> group_messages_by_file(std::span<const TidyMessage> sorted);
// Writes the page; groups are numbered by position from 0, file names and
// message texts are HTML-escaped. Meant for at least one group.
void write_report_page(std::span<const FileGroup> groups, Output& output);

}  // namespace qz
