#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "input/line_reader.h"

namespace qz {

// A classifier fills `record` from one line and says whether it recognised
// the line.
template <typename Record>
using LineClassifier = bool (*)(std::string_view line, Record& record);

// The line loop of the build-output importers: every line of the file, the
// last one included even without a line feed, goes to the classifier on a
// fresh record; recognised records are kept in input order. A file that
// cannot be opened gives no records.
template <typename Record>
std::vector<Record> read_records(const std::string& path, LineClassifier<Record> classify) {
  std::vector<Record> records;
  LineReader reader(path);
  std::string_view line;
  while (reader.next(line)) {
    Record record;
    if (classify(line, record)) records.push_back(std::move(record));
  }
  return records;
}

}  // namespace qz
