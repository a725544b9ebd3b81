#include "importers/qac/band_counts.h"

#include "output/quote_value.h"

namespace qz {
namespace {

constexpr std::size_t kRowNameWidth = 80;

void append_field(std::string& row, std::size_t digits_width, std::uint64_t value) {
  const std::string digits = std::to_string(value);
  if (digits.size() < digits_width) row.append(digits_width - digits.size(), ' ');
  append_quoted(row, digits);
}

}  // namespace

BandCounts count_bands(const QacFileGroup& group) {
  BandCounts counts;
  counts.total = group.records.size();
  for (const QacRecord& record : group.records) {
    if (is_his_message(record)) {
      ++counts.his;
    } else if (record.priority <= 4) {
      ++counts.prio_0_4;
    } else if (record.priority <= 7) {
      ++counts.prio_5_7;
    } else {
      ++counts.prio_8_9;
    }
  }
  return counts;
}

std::string format_band_counts(const BandCounts& counts) {
  std::string text;
  append_field(text, 41, counts.total);
  append_field(text, 17, counts.prio_8_9);
  append_field(text, 13, counts.prio_5_7);
  append_field(text, 13, counts.prio_0_4);
  append_field(text, 8, counts.his);
  return text;
}

std::string report_row(const QacFileGroup& group) {
  std::string row(group.file_name);
  if (row.size() < kRowNameWidth) row.append(kRowNameWidth - row.size(), ' ');
  row += format_band_counts(count_bands(group));
  return row;
}

}  // namespace qz
