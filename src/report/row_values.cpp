#include "report/row_values.h"

#include <algorithm>
#include <charconv>

namespace qz::report {

std::optional<long long> number_of(std::optional<std::string_view> value) {
  if (!value || value->empty()) return std::nullopt;
  const char* const end = value->data() + value->size();
  long long number = 0;
  const auto [stop, error] = std::from_chars(value->data(), end, number);
  if (error != std::errc() || stop == value->data()) return std::nullopt;
  std::string_view rest(stop, static_cast<std::size_t>(end - stop));
  if (rest.starts_with('.')) rest.remove_prefix(1);
  if (rest.find_first_not_of('0') != std::string_view::npos) return std::nullopt;
  return std::clamp(number, -kLargestCount, kLargestCount);
}

std::string text_of(std::optional<std::string_view> value) {
  return value ? std::string(*value) : std::string();
}

long long count_in(DatabaseReader::Row row, std::size_t column) {
  return number_of(row[column]).value_or(0);
}

bool is_passed(std::string_view result) { return result == "passed" || result == "PASSED"; }

bool is_failed(std::string_view result) { return result == "failed" || result == "FAILED"; }

namespace {

void add_ratio(std::optional<Ratio>& ratio, std::optional<long long> covered,
               std::optional<long long> coverable) {
  if (!coverable) return;
  if (!ratio) ratio.emplace();
  add_to(ratio->covered, covered.value_or(0));
  add_to(ratio->coverable, *coverable);
}

}  // namespace

void add_coverage(ToolCoverage& coverage, DatabaseReader::Row row, std::size_t first) {
  add_ratio(coverage.c0, number_of(row[first]), number_of(row[first + 1]));
  add_ratio(coverage.c1, number_of(row[first + 2]), number_of(row[first + 3]));
}

}  // namespace qz::report
