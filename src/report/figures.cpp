#include "report/figures.h"

#include <numeric>

namespace qz::report {

std::optional<double> Ratio::percent() const {
  if (coverable <= 0) return std::nullopt;
  return 100.0 * static_cast<double>(covered) / static_cast<double>(coverable);
}

long long QacCounts::total() const {
  return std::accumulate(levels.begin(), levels.end(), his);
}

long long memory_total(const std::map<std::string, long long>& sections) {
  long long total = 0;
  for (const auto& [section, bytes] : sections) total += bytes;
  return total;
}

}  // namespace qz::report
