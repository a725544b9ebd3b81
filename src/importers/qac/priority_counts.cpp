#include "importers/qac/priority_counts.h"

#include "output/quote_value.h"

namespace qz {

PriorityCounts count_priorities(const QacFileGroup& group) {
  PriorityCounts counts;
  for (const QacRecord& record : group.records) {
    if (is_his_message(record)) {
      ++counts.his;
    } else if (record.priority >= 0 && record.priority <= 9) {
      ++counts.by_priority[static_cast<std::size_t>(record.priority)];
    }
  }
  return counts;
}

std::string format_priority_counts(const PriorityCounts& counts) {
  std::string text;
  for (const std::uint64_t count : counts.by_priority) {
    append_quoted(text, std::to_string(count));
    text += ", ";
  }
  append_quoted(text, std::to_string(counts.his));
  return text;
}

}  // namespace qz
