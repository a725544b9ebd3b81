#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "importers/qac/group_by_file.h"

namespace qz {

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

// The label line of the table and its columns.
ReportColumns report_header(std::span<const QacFileGroup> groups);

// The dashed line under the header: one run of hyphens under each label.
std::string report_separator(const ReportColumns& columns);

}  // namespace qz
