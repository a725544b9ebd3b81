#pragma once

// Trend charts as inline SVG that needs neither script nor style: colours,
// lines and fonts are presentation attributes, and each point carries a
// <title>, which browsers show as its tooltip. A chart is followed on the
// page by a table of the same figures.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "report/figures.h"

namespace qz::report {

struct ChartSeries {
  std::string name;
  std::string_view colour;                   // #rrggbb
  std::vector<std::optional<double>> values;  // one per build; absent: not measured
};

struct Chart {
  std::string title;
  bool percent = false;  // values are percentages (one decimal), else counts
  std::vector<ChartSeries> series;
};

// Colours that stay apart from each other, for series without a meaning of
// their own.
std::string_view series_colour(std::size_t index);

// The SVG element of a line chart over `builds` (oldest first), left to
// right. A gap in a series is a gap in its line.
std::string svg_chart(const Chart& chart, const std::vector<Build>& builds);

// How a chart's values are written in its table and tooltips.
std::string chart_value(const Chart& chart, double value);

}  // namespace qz::report
