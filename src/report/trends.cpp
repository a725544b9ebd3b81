// The trend charts of a section, each followed by a table of its figures.
#include <algorithm>
#include <functional>
#include <set>

#include "report/chart.h"
#include "report/html.h"
#include "report/page.h"
#include "report/text.h"

namespace qz::report {
namespace {

constexpr std::size_t kChartTools = 3;      // coverage tools drawn, by name
constexpr std::size_t kChartSections = 5;   // memory sections drawn, the largest

constexpr std::string_view kGreen = "#1a7f37";
constexpr std::string_view kRed = "#cf222e";

using Figures = std::vector<BuildFigures>;
using Value = std::function<std::optional<double>(const BuildFigures&)>;

ChartSeries series_of(std::string name, std::string_view colour, const Figures& figures,
                      const Value& value) {
  ChartSeries series{std::move(name), colour, {}};
  for (const BuildFigures& build : figures) series.values.push_back(value(build));
  return series;
}

template <typename Figure, typename Count>
Value count_value(std::optional<Figure> BuildFigures::*figure, Count count) {
  return [figure, count](const BuildFigures& build) -> std::optional<double> {
    const auto& measured = build.*figure;
    if (!measured) return std::nullopt;
    return static_cast<double>(count(*measured));
  };
}

Chart tests_chart(const Figures& figures, bool failed) {
  Chart chart{failed ? "Failed tests" : "Passed tests", false, {}};
  chart.series.push_back(series_of(
      failed ? "failed" : "passed", failed ? kRed : kGreen, figures,
      count_value(&BuildFigures::tests,
                  [failed](const TestCounts& tests) { return failed ? tests.failed : tests.passed; })));
  return chart;
}

Chart coverage_chart(const Figures& figures) {
  Chart chart{"Coverage (%)", true, {}};
  std::set<std::string> tools;
  for (const BuildFigures& build : figures) {
    for (const auto& [tool, coverage] : build.coverage) tools.insert(tool);
  }
  std::size_t drawn = 0;
  for (const std::string& tool : tools) {
    if (drawn++ == kChartTools) break;
    for (const bool decisions : {false, true}) {
      ChartSeries series = series_of(
          shown_name(tool, 24) + (decisions ? " C1" : " C0"), series_colour(chart.series.size()),
          figures, [&](const BuildFigures& build) -> std::optional<double> {
            const auto found = build.coverage.find(tool);
            if (found == build.coverage.end()) return std::nullopt;
            const auto& ratio = decisions ? found->second.c1 : found->second.c0;
            return ratio ? ratio->percent() : std::nullopt;
          });
      const bool any = std::any_of(series.values.begin(), series.values.end(),
                                   [](const auto& value) { return value.has_value(); });
      if (any) chart.series.push_back(std::move(series));
    }
  }
  return chart;
}

Chart compiler_chart(const Figures& figures) {
  Chart chart{"Compiler errors and warnings", false, {}};
  chart.series.push_back(series_of("warnings", series_colour(1), figures,
                                   count_value(&BuildFigures::compiler,
                                               [](const CompilerCounts& c) { return c.warnings; })));
  chart.series.push_back(series_of(
      "errors", kRed, figures,
      count_value(&BuildFigures::compiler, [](const CompilerCounts& c) { return c.errors; })));
  return chart;
}

Chart qac_chart(const Figures& figures) {
  Chart chart{"QAC findings", false, {}};
  chart.series.push_back(series_of(
      "findings", series_colour(2), figures,
      count_value(&BuildFigures::qac, [](const QacCounts& qac) { return qac.total(); })));
  chart.series.push_back(series_of(
      "HIS", series_colour(6), figures,
      count_value(&BuildFigures::qac, [](const QacCounts& qac) { return qac.his; })));
  return chart;
}

// The sections that are largest in the judged build (or the latest build
// that measured memory).
std::vector<std::string> drawn_sections(const Figures& figures) {
  const auto measured = std::find_if(figures.rbegin(), figures.rend(),
                                     [](const BuildFigures& build) { return build.memory; });
  if (measured == figures.rend()) return {};
  return largest_sections(*measured->memory, kChartSections);
}

Chart memory_chart(const Figures& figures) {
  Chart chart{"Memory of the largest sections (bytes)", false, {}};
  for (const std::string& section : drawn_sections(figures)) {
    chart.series.push_back(series_of(
        shown_name(section, 24), series_colour(chart.series.size()), figures,
        [&](const BuildFigures& build) -> std::optional<double> {
          if (!build.memory) return std::nullopt;
          const auto found = build.memory->find(section);
          return static_cast<double>(found == build.memory->end() ? 0 : found->second);
        }));
  }
  return chart;
}

bool has_values(const Chart& chart) {
  return std::any_of(chart.series.begin(), chart.series.end(), [](const ChartSeries& series) {
    return std::any_of(series.values.begin(), series.values.end(),
                       [](const auto& value) { return value.has_value(); });
  });
}

// The figures of a chart, a build a row, oldest first as in the chart.
void append_chart_table(std::string& html, const Chart& chart, const std::vector<Build>& builds) {
  html += std::string(kTableStart) + "<tr><th>Build</th><th>Date</th>";
  for (const ChartSeries& series : chart.series) append_element(html, "th", series.name);
  html += "</tr>";
  for (std::size_t i = 0; i < builds.size(); ++i) {
    html += "<tr>";
    append_element(html, "td", short_hash(builds[i].githash));
    append_element(html, "td", builds[i].date + " " + builds[i].time);
    for (const ChartSeries& series : chart.series) {
      html += "<td class=\"n\">" +
              (series.values[i] ? chart_value(chart, *series.values[i]) : std::string("-")) +
              "</td>";
    }
    html += "</tr>";
  }
  html += "</table>";
}

void append_chart(std::string& html, const Chart& chart, const std::vector<Build>& builds) {
  html += "<h4>";
  append_text(html, chart.title);
  html += "</h4>";
  if (!has_values(chart)) {
    html += "<p>Not measured in these builds.</p>";
    return;
  }
  html += "<div class=\"trend\"><figure>" + svg_chart(chart, builds) + "</figure>";
  append_chart_table(html, chart, builds);
  html += "</div>";
}

}  // namespace

void append_trends(std::string& html, const Section& section) {
  html += "<h3>Trends over the last " + std::to_string(section.builds.size()) + " builds</h3>";
  const Figures& figures = section.figures;
  for (const Chart& chart : {tests_chart(figures, true), tests_chart(figures, false),
                             coverage_chart(figures), compiler_chart(figures), qac_chart(figures),
                             memory_chart(figures)}) {
    append_chart(html, chart, section.builds);
  }
}

}  // namespace qz::report
