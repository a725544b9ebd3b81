#include "report/chart.h"

#include <gtest/gtest.h>

#include <cmath>

#include "report/figures.h"

namespace qz::report {
namespace {

// Whatever a database holds, a chart is drawn in finite numbers and in
// time: flat lines, values beyond a double's whole numbers, both signs.
TEST(Chart, DrawsAnyValuesInFiniteNumbers) {
  const double largest = static_cast<double>(kLargestCount);
  const struct {
    bool percent;
    std::vector<std::optional<double>> values;
  } cases[] = {
      {false, {0.0, 0.0}},
      {false, {largest, largest}},
      {false, {-largest, largest}},
      {false, {1e17, 1e17 + 16}},
      {true, {100.0, 100.0}},
      {true, {0.0, std::nullopt}},
  };
  const std::vector<Build> builds{{"a", "2026-01-01", "00:00:00"}, {"b", "2026-01-02", "00:00:00"}};
  for (const auto& c : cases) {
    const Chart chart{"t", c.percent, {{"s", series_colour(0), c.values}}};
    const std::string svg = svg_chart(chart, builds);
    EXPECT_EQ(svg.find("nan"), std::string::npos) << *c.values[0];
    EXPECT_EQ(svg.find("inf"), std::string::npos) << *c.values[0];
    EXPECT_LT(svg.size(), 10'000u) << *c.values[0];
  }
}

}  // namespace
}  // namespace qz::report
