#include "report/figures.h"

#include <algorithm>

namespace qz::report {

std::optional<double> Ratio::percent() const {
  if (coverable <= 0) return std::nullopt;
  return 100.0 * static_cast<double>(covered) / static_cast<double>(coverable);
}

void add_to(long long& total, long long value) {
  // Both are within the bound, so the sum cannot overflow before it is held.
  total = std::clamp(total + value, -kLargestCount, kLargestCount);
}

long long QacCounts::total() const {
  long long total = his;
  for (const long long level : levels) add_to(total, level);
  return total;
}

long long memory_total(const std::map<std::string, long long>& sections) {
  long long total = 0;
  for (const auto& [section, bytes] : sections) add_to(total, bytes);
  return total;
}

std::vector<std::string> largest_sections(const std::map<std::string, long long>& sections,
                                          std::size_t count) {
  std::vector<std::pair<long long, std::string>> sizes;
  for (const auto& [section, bytes] : sections) sizes.emplace_back(-bytes, section);
  std::sort(sizes.begin(), sizes.end());
  std::vector<std::string> largest;
  for (std::size_t i = 0; i < sizes.size() && i < count; ++i) largest.push_back(sizes[i].second);
  return largest;
}

}  // namespace qz::report
