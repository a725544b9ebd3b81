#include "importers/qac/read_qac_records.h"

#include <algorithm>
#include <tuple>

#include "importers/qac/classify_qac_line.h"
#include "input/line_reader.h"

namespace qz {
namespace {

auto identity(const QacRecord& record) {
  return std::tie(record.file_name, record.line_number, record.message_number,
                  record.message_text);
}

}  // namespace

void sort_and_deduplicate(std::vector<QacRecord>& records) {
  std::stable_sort(records.begin(), records.end(),
                   [](const QacRecord& a, const QacRecord& b) { return identity(a) < identity(b); });
  const auto repeated = std::unique(
      records.begin(), records.end(),
      [](const QacRecord& a, const QacRecord& b) { return identity(a) == identity(b); });
  records.erase(repeated, records.end());
}

std::vector<QacRecord> read_qac_records(const std::string& input_path) {
  std::vector<QacRecord> records;
  {
    LineReader input(input_path);
    std::string_view line;
    QacRecord record;
    while (input.next(line)) {
      if (classify_qac_line(line, record)) records.push_back(std::move(record));
    }
  }  // closes the input
  sort_and_deduplicate(records);
  return records;
}

}  // namespace qz
