#include "importers/qac/report_columns.h"

#include <algorithm>

namespace qz {
namespace {

constexpr std::size_t kMinimumNameWidth = 72;

void pad_to(std::string& line, std::size_t column) {
  if (line.size() < column) line.append(column - line.size(), ' ');
}

ReportColumns columns_for(std::size_t name_width) {
  ReportColumns columns;
  columns.name_width = name_width;
  columns.totals = name_width + 30;
  columns.prio_9_8 = name_width + 60;
  columns.prio_7_5 = name_width + 75;
  columns.prio_4_0 = name_width + 90;
  columns.his = name_width + 105;
  return columns;
}

}  // namespace

ReportColumns report_header(std::span<const QacFileGroup> groups) {
  std::size_t name_width = kMinimumNameWidth;
  for (const QacFileGroup& group : groups) name_width = std::max(name_width, group.file_name.size());
  ReportColumns columns = columns_for(name_width);
  std::string& header = columns.header;
  header = "[Filename]";
  pad_to(header, columns.totals);
  header += "[Qac totals per file]";
  pad_to(header, columns.prio_9_8);
  header += "[Prio 9-8]";
  pad_to(header, columns.prio_7_5);
  header += "[Prio 7-5]";
  pad_to(header, columns.prio_4_0);
  header += "[Prio 4-0]";
  pad_to(header, columns.his);
  header += "[HIS]";
  return columns;
}

std::string report_separator(const ReportColumns& columns) {
  std::string line(columns.name_width + 5, '-');
  pad_to(line, columns.totals);
  line.append(21, '-');
  pad_to(line, columns.prio_9_8);
  line.append(10, '-');
  pad_to(line, columns.prio_7_5);
  line.append(10, '-');
  pad_to(line, columns.prio_4_0);
  line.append(10, '-');
  pad_to(line, columns.his);
  line.append(5, '-');
  return line;
}

}  // namespace qz
