#include "report/chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "core/util.h"
#include "report/text.h"

namespace qz::report {
namespace {

constexpr double kWidth = 600;
constexpr double kHeight = 214;
constexpr double kLeft = 70;  // room for the value labels
constexpr double kRight = 16;
constexpr double kTop = 12;
constexpr double kPlotHeight = 150;
constexpr int kValueTicks = 4;
constexpr std::size_t kBuildLabels = 6;

constexpr std::array<std::string_view, 8> kPalette{"#0969da", "#bc4c00", "#8250df", "#1a7f37",
                                                   "#cf222e", "#1b7c83", "#9a6700", "#57606a"};

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// Round steps (1, 2, 2.5 or 5 times a power of ten) that cover the values
// in about four.
struct Scale {
  double low = 0;
  double high = 1;
  double step = 1;

  double y(double value) const { return kTop + kPlotHeight * (high - value) / (high - low); }
};

double round_step(double span) {
  const double magnitude = std::pow(10.0, std::floor(std::log10(span)));
  for (const double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (factor * magnitude >= span) return factor * magnitude;
  }
  return 10 * magnitude;
}

Scale scale_of(const Chart& chart) {
  double low = INFINITY;
  double high = -INFINITY;
  for (const ChartSeries& series : chart.series) {
    for (const auto& value : series.values) {
      if (!value) continue;
      low = std::min(low, *value);
      high = std::max(high, *value);
    }
  }
  if (low > high) return {};
  // A flat line sits in the middle of a small span, never below zero; the
  // span grows with the values, so that it stays wider than a double's
  // precision there.
  const double minimum_span =
      std::max(chart.percent ? 1.0 : 4.0, std::max(std::abs(low), std::abs(high)) * 1e-9);
  if (high - low < minimum_span) {
    const double below_zero = (low + high - minimum_span) / 2;
    low = low >= 0 ? std::max(below_zero, 0.0) : below_zero;
    high = low + minimum_span;
  }
  Scale scale;
  scale.step = round_step((high - low) / kValueTicks);
  // Counts step by whole numbers.
  if (!chart.percent) scale.step = std::max(std::ceil(scale.step), 1.0);
  scale.low = std::floor(low / scale.step) * scale.step;
  scale.high = std::ceil(high / scale.step) * scale.step;
  if (scale.high <= scale.low) scale.high = scale.low + scale.step;
  if (!(scale.high > scale.low) || !std::isfinite(scale.high - scale.low)) return {};
  return scale;
}

double x_of(std::size_t index, std::size_t count) {
  const double width = kWidth - kLeft - kRight;
  if (count < 2) return kLeft + width / 2;
  return kLeft + width * static_cast<double>(index) / static_cast<double>(count - 1);
}

void text_element(std::string& svg, double x, double y, std::string_view anchor,
                  std::string_view text) {
  svg += "<text x=\"" + number(x) + "\" y=\"" + number(y) + "\" text-anchor=\"" +
         std::string(anchor) + "\">";
  append_html_escaped(svg, text);
  svg += "</text>";
}

void value_axis(std::string& svg, const Chart& chart, const Scale& scale) {
  svg += "<g font-size=\"11\" fill=\"#57606a\" stroke=\"none\">";
  const auto steps = std::lround((scale.high - scale.low) / scale.step);
  for (long step = 0; step <= std::min(steps, 2L * kValueTicks); ++step) {
    const double tick = scale.low + static_cast<double>(step) * scale.step;
    const double y = scale.y(tick);
    svg += "<line x1=\"" + number(kLeft) + "\" x2=\"" + number(kWidth - kRight) + "\" y1=\"" +
           number(y) + "\" y2=\"" + number(y) + "\" stroke=\"#d0d7de\"/>";
    text_element(svg, kLeft - 6, y + 4, "end", chart_value(chart, tick));
  }
  svg += "</g>";
}

void build_axis(std::string& svg, const std::vector<Build>& builds) {
  svg += "<g font-size=\"11\" fill=\"#57606a\">";
  const std::size_t count = builds.size();
  const std::size_t labels = std::min(count, kBuildLabels);
  for (std::size_t label = 0; label < labels; ++label) {
    const std::size_t index = labels < 2 ? count - 1 : label * (count - 1) / (labels - 1);
    // The outer labels stay inside the chart.
    const std::string_view anchor = labels < 2            ? "middle"
                                    : label == 0          ? "start"
                                    : label == labels - 1 ? "end"
                                                          : "middle";
    text_element(svg, x_of(index, count), kTop + kPlotHeight + 16, anchor,
                 short_hash(builds[index].githash, 8));
  }
  svg += "</g>";
}

std::string point_title(const Chart& chart, const ChartSeries& series, double value,
                        const Build& build) {
  return series.name + ": " + chart_value(chart, value) + " - build " + shown_name(build.githash) +
         " (" + shown_name(build.date + " " + build.time, 40) + ")";
}

// The line of a series, broken where a build is not measured, and a point
// with a tooltip for each build that is.
void series_marks(std::string& svg, const Chart& chart, const ChartSeries& series,
                  const Scale& scale, const std::vector<Build>& builds) {
  const std::string colour(series.colour);
  const std::size_t count = builds.size();
  std::string points;
  auto end_line = [&] {
    if (points.find(' ') != std::string::npos) {
      svg += "<polyline fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"2\" points=\"" +
             points + "\"/>";
    }
    points.clear();
  };
  for (std::size_t i = 0; i < count; ++i) {
    if (!series.values[i]) {
      end_line();
      continue;
    }
    points += (points.empty() ? "" : " ") + number(x_of(i, count)) + "," +
              number(scale.y(*series.values[i]));
  }
  end_line();
  svg += "<g fill=\"" + colour + "\">";
  for (std::size_t i = 0; i < count; ++i) {
    if (!series.values[i]) continue;
    svg += "<circle cx=\"" + number(x_of(i, count)) + "\" cy=\"" +
           number(scale.y(*series.values[i])) + "\" r=\"3.5\"><title>";
    append_html_escaped(svg, point_title(chart, series, *series.values[i], builds[i]));
    svg += "</title></circle>";
  }
  svg += "</g>";
}

void legend(std::string& svg, const Chart& chart) {
  double x = kLeft;
  const double y = kTop + kPlotHeight + 40;
  svg += "<g font-size=\"12\" fill=\"#1f2328\">";
  for (const ChartSeries& series : chart.series) {
    svg += "<rect x=\"" + number(x) + "\" y=\"" + number(y - 10) +
           "\" width=\"12\" height=\"12\" fill=\"" + std::string(series.colour) + "\"/>";
    text_element(svg, x + 16, y, "start", series.name);
    // About 7 pixels a character at this size.
    x += 36 + 7 * static_cast<double>(std::min<std::size_t>(series.name.size(), 40));
  }
  svg += "</g>";
}

}  // namespace

std::string_view series_colour(std::size_t index) { return kPalette[index % kPalette.size()]; }

std::string chart_value(const Chart& chart, double value) {
  if (chart.percent) return number(value) + "%";
  return grouped(std::llround(value));
}

std::string svg_chart(const Chart& chart, const std::vector<Build>& builds) {
  const Scale scale = scale_of(chart);
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(kWidth) +
                    "\" height=\"" + number(kHeight) + "\" viewBox=\"0 0 " + number(kWidth) +
                    " " + number(kHeight) + "\" role=\"img\" font-family=\"sans-serif\"><title>";
  append_html_escaped(svg, chart.title);
  svg += "</title>";
  svg += "<rect x=\"0\" y=\"0\" width=\"" + number(kWidth) + "\" height=\"" + number(kHeight) +
         "\" fill=\"#ffffff\"/>";
  value_axis(svg, chart, scale);
  build_axis(svg, builds);
  for (const ChartSeries& series : chart.series) series_marks(svg, chart, series, scale, builds);
  legend(svg, chart);
  return svg + "</svg>";
}

}  // namespace qz::report
