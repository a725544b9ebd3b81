#include "importers/qac/group_by_file.h"

#include <algorithm>

namespace qz {
namespace {

bool comes_first(const QacFileGroup& a, const QacFileGroup& b) {
  if (a.records.size() != b.records.size()) return a.records.size() > b.records.size();
  return a.file_name > b.file_name;
}

}  // namespace

std::vector<QacFileGroup> group_by_file(const std::vector<QacRecord>& records) {
  std::vector<QacFileGroup> groups;
  const std::span<const QacRecord> all(records);
  std::size_t begin = 0;
  while (begin < all.size()) {
    std::size_t end = begin + 1;
    while (end < all.size() && all[end].file_name == all[begin].file_name) ++end;
    groups.push_back({all[begin].file_name, all.subspan(begin, end - begin)});
    begin = end;
  }
  std::sort(groups.begin(), groups.end(), comes_first);
  return groups;
}

}  // namespace qz
