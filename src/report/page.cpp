#include "report/page.h"

#include <algorithm>

#include "report/html.h"
#include "report/summary.h"
#include "report/text.h"

namespace qz::report {
namespace {

constexpr std::size_t kFigureSections = 10;  // memory sections in the figures table
constexpr std::size_t kFigureTools = 8;      // coverage tools in the figures table

// Only where a policy allows style blocks; nothing depends on it.
constexpr std::string_view kStyle =
    "body{font-family:system-ui,sans-serif;margin:1.5em 2em;color:#1f2328;max-width:1300px}"
    "table{border-collapse:collapse;margin:.5em 0 1.5em}"
    "th,td{border:1px solid #d0d7de;padding:3px 8px;text-align:left;vertical-align:top}"
    "th{background:#f6f8fa}td.n{text-align:right;white-space:nowrap}"
    "figure{margin:0}.trend>figure{display:inline-block}.trend>*{vertical-align:top;"
    "margin:0 1.5em 1em 0}.trend>table{display:inline-table}"
    "h2{border-top:2px solid #d0d7de;padding-top:.6em;margin-top:2em}";

// One row of the figures table: a figure of the judged and the previous
// build.
struct FigureRow {
  std::string label;
  std::optional<double> now;
  std::optional<double> before;
  bool higher_is_better = false;
  bool percent = false;
  std::string now_detail;
  std::string before_detail;
};

std::optional<double> as_value(const std::optional<long long>& count) {
  return count ? std::optional<double>(static_cast<double>(*count)) : std::nullopt;
}

std::string ratio_detail(const std::optional<Ratio>& ratio) {
  if (!ratio) return {};
  return " (" + grouped(ratio->covered) + " of " + grouped(ratio->coverable) + ")";
}

template <typename Figure, typename Count>
std::optional<long long> count_of(const std::optional<Figure>& figure, Count count) {
  return figure ? std::optional<long long>(count(*figure)) : std::nullopt;
}

void add_count_row(std::vector<FigureRow>& rows, std::string label, std::optional<long long> now,
                   std::optional<long long> before, bool higher_is_better = false) {
  rows.push_back({std::move(label), as_value(now), as_value(before), higher_is_better, false, {}, {}});
}

void add_coverage_rows(std::vector<FigureRow>& rows, const BuildFigures& now,
                       const BuildFigures& before) {
  std::map<std::string, std::pair<ToolCoverage, ToolCoverage>> tools;
  for (const auto& [tool, coverage] : now.coverage) tools[tool].first = coverage;
  for (const auto& [tool, coverage] : before.coverage) tools[tool].second = coverage;
  std::size_t shown = 0;
  for (const auto& tool : tools) {
    if (shown++ == kFigureTools) break;
    const std::string name = shown_name(tool.first);
    auto add = [&](const char* kind, const std::optional<Ratio>& a, const std::optional<Ratio>& b) {
      if (!a && !b) return;
      rows.push_back({name + " " + kind, a ? a->percent() : std::nullopt,
                      b ? b->percent() : std::nullopt, true, true, ratio_detail(a),
                      ratio_detail(b)});
    };
    const auto& [is, was] = tool.second;
    add("C0", is.c0, was.c0);
    add("C1", is.c1, was.c1);
  }
}

void add_qac_rows(std::vector<FigureRow>& rows, const BuildFigures& now,
                  const BuildFigures& before) {
  add_count_row(rows, "QAC findings", count_of(now.qac, [](auto& q) { return q.total(); }),
                count_of(before.qac, [](auto& q) { return q.total(); }));
  for (std::size_t level = 0; level < 10; ++level) {
    auto at = [level](const QacCounts& qac) { return qac.levels[level]; };
    const auto is = count_of(now.qac, at);
    const auto was = count_of(before.qac, at);
    if (is.value_or(0) != 0 || was.value_or(0) != 0) {
      add_count_row(rows, "QAC level " + std::to_string(level), is, was);
    }
  }
  add_count_row(rows, "HIS findings", count_of(now.qac, [](auto& q) { return q.his; }),
                count_of(before.qac, [](auto& q) { return q.his; }));
}

void add_memory_rows(std::vector<FigureRow>& rows, const BuildFigures& now,
                     const BuildFigures& before) {
  using Sections = std::map<std::string, long long>;
  add_count_row(rows, "Memory (bytes)", count_of(now.memory, memory_total),
                count_of(before.memory, memory_total));
  const std::optional<Sections>& shown = now.memory ? now.memory : before.memory;
  if (!shown) return;
  auto bytes_in = [](const std::optional<Sections>& memory, const std::string& section) {
    if (!memory) return std::optional<long long>();
    const auto found = memory->find(section);
    return std::optional<long long>(found == memory->end() ? 0 : found->second);
  };
  for (const std::string& section : largest_sections(*shown, kFigureSections)) {
    add_count_row(rows, "Section " + shown_name(section), bytes_in(now.memory, section),
                  bytes_in(before.memory, section));
  }
}

std::vector<FigureRow> figure_rows(const BuildFigures& now, const BuildFigures& before) {
  std::vector<FigureRow> rows;
  add_count_row(rows, "Tests passed", count_of(now.tests, [](auto& t) { return t.passed; }),
                count_of(before.tests, [](auto& t) { return t.passed; }), true);
  add_count_row(rows, "Tests failed", count_of(now.tests, [](auto& t) { return t.failed; }),
                count_of(before.tests, [](auto& t) { return t.failed; }));
  add_coverage_rows(rows, now, before);
  add_count_row(rows, "Compiler errors", count_of(now.compiler, [](auto& c) { return c.errors; }),
                count_of(before.compiler, [](auto& c) { return c.errors; }));
  add_count_row(rows, "Compiler warnings",
                count_of(now.compiler, [](auto& c) { return c.warnings; }),
                count_of(before.compiler, [](auto& c) { return c.warnings; }));
  add_qac_rows(rows, now, before);
  add_memory_rows(rows, now, before);
  return rows;
}

std::string value_text(const FigureRow& row, const std::optional<double>& value,
                       const std::string& detail) {
  if (!value) return "not measured";
  return (row.percent ? percent_text(*value) : grouped(static_cast<long long>(*value))) + detail;
}

void append_change_cell(std::string& html, const FigureRow& row) {
  html += "<td class=\"n\">";
  if (row.now && row.before) {
    const double change = *row.now - *row.before;
    const bool unchanged = row.percent ? rounded_percent(change) == 0 : change == 0;
    const std::string text = row.percent ? signed_points(change) + " points"
                                         : signed_count(static_cast<long long>(change));
    const bool better = (change > 0) == row.higher_is_better;
    append_change(html, unchanged ? "no change" : text,
                  unchanged ? Judgement::kNeutral : better ? Judgement::kBetter
                                                           : Judgement::kWorse);
  }
  html += "</td>";
}

void append_figures_table(std::string& html, const Section& section) {
  static const BuildFigures kNothing;
  const BuildFigures& before = section.previous_figures ? *section.previous_figures : kNothing;
  const std::vector<FigureRow> rows = figure_rows(*section.judged_figures(), before);
  if (rows.empty()) return;
  html += std::string(kTableStart) + "<tr><th>Figure</th><th>This build</th>";
  if (section.previous) html += "<th>Previous build</th><th>Change</th>";
  html += "</tr>";
  for (const FigureRow& row : rows) {
    html += "<tr><td>";
    append_text(html, row.label);
    html += "</td><td class=\"n\">" + value_text(row, row.now, row.now_detail) + "</td>";
    if (section.previous) {
      html += "<td class=\"n\">" + value_text(row, row.before, row.before_detail) + "</td>";
      append_change_cell(html, row);
    }
    html += "</tr>";
  }
  html += "</table>";
}

void append_build(std::string& html, const Build& build) {
  html += "build ";
  append_element(html, "b", build.githash);
  html += " of ";
  append_name(html, build.date + " " + build.time);
}

void append_gates(std::string& html, const std::vector<GateFailure>& failures) {
  if (failures.empty()) return;
  html += "<p><strong>Gates that failed:</strong></p><ul>";
  for (const GateFailure& failure : failures) {
    html += "<li><font color=\"#cf222e\">" + std::string(gate_name(failure.gate)) + "</font>: ";
    append_text(html, failure.detail);
    html += "</li>";
  }
  html += "</ul>";
}

void append_section(std::string& html, const Section& section, std::size_t number,
                    const std::vector<GateFailure>& failures) {
  html += "<section id=\"section-" + std::to_string(number) + "\"><h2>";
  append_name(html, section.project);
  html += " on ";
  append_name(html, section.platform);
  html += "</h2><p>";
  if (section.judged() == nullptr) {
    html += "The build that --hash_value names has no rows for this project and platform.</p>";
    html += "</section>";
    return;
  }
  html += "This is ";
  append_build(html, *section.judged());
  if (section.previous) {
    html += ", compared with the previous ";
    append_build(html, *section.previous);
  } else {
    html += "; there is no build before it to compare with";
  }
  html += ". The database holds " + grouped(static_cast<long long>(section.build_count)) +
          " builds of this project and platform.</p>";
  append_gates(html, failures);
  html += "<h3>This build</h3>";
  append_figures_table(html, section);
  append_trends(html, section);
  if (section.previous) append_change_lists(html, section);
  html += "</section>";
}

void append_overview(std::string& html, const History& history,
                     std::span<const std::vector<GateFailure>> failures, std::size_t drawn) {
  const bool any_failed = std::any_of(failures.begin(), failures.end(),
                                      [](const auto& section) { return !section.empty(); });
  html += std::string(kTableStart) +
          "<tr><th>Project</th><th>Platform</th><th>Build</th><th>Figures</th>" +
          (any_failed ? "<th>Gates that failed</th>" : "") + "</tr>";
  for (std::size_t i = 0; i < history.sections.size() && i < kOverviewSections; ++i) {
    const Section& section = history.sections[i];
    html += "<tr><td>";
    if (i < drawn) html += "<a href=\"#section-" + std::to_string(i + 1) + "\">";
    append_name(html, section.project);
    if (i < drawn) html += "</a>";
    html += "</td>";
    append_element(html, "td", section.platform);
    append_element(html, "td", section.judged() ? short_hash(section.judged()->githash) : "-");
    html += "<td>";
    append_text(html, summary_figures(section));
    html += "</td>";
    if (any_failed) {
      html += "<td>";
      for (const GateFailure& failure : failures[i]) {
        html += "<font color=\"#cf222e\">" + std::string(gate_name(failure.gate)) + "</font> ";
      }
      html += "</td>";
    }
    html += "</tr>";
  }
  html += "</table>";
  if (history.sections.size() > kOverviewSections) {
    html += "<p>and " + grouped(static_cast<long long>(history.sections.size() - kOverviewSections)) +
            " more projects and platforms (all of them are in the JSON).</p>";
  }
}

// What the page says when there is nothing to draw.
std::string_view empty_history_text(const History& history) {
  if (history.tables_found == 0) {
    return "The database holds none of the tables ut_results, ut_coverage, compiler_results, "
           "compiler_map and q_results: nothing has been imported into it yet.";
  }
  return "The database holds no rows for the projects and platforms asked for.";
}

}  // namespace

std::string report_page(const History& history,
                        std::span<const std::vector<GateFailure>> failures) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
      "<title>Quality report</title>\n<style>" +
      std::string(kStyle) + "</style>\n</head>\n<body>\n<h1>Quality report</h1>\n";
  if (history.sections.empty()) {
    html += "<p>" + std::string(empty_history_text(history)) + "</p>\n</body>\n</html>\n";
    return html;
  }
  // Sections are drawn while the page is small enough for one more.
  std::string drawn;
  std::size_t drawn_count = 0;
  while (drawn_count < history.sections.size() && drawn_count < kDrawnSections &&
         drawn.size() < kDrawnBytes) {
    append_section(drawn, history.sections[drawn_count], drawn_count + 1, failures[drawn_count]);
    drawn += "\n";
    ++drawn_count;
  }
  html += "<p>Each project and platform: its judged build (the latest, or the one "
          "--hash_value names) against the build before it. "
          "A dash in a table means not measured: the build has no rows of that kind.</p>\n";
  append_overview(html, history, failures, drawn_count);
  html += drawn;
  if (history.sections.size() > drawn_count) {
    html += "<p>The other " +
            counted(static_cast<long long>(history.sections.size() - drawn_count),
                    "project and platform is", "projects and platforms are") +
            " not drawn here; choose one with --project_name and --platform, or read them "
            "in the JSON.</p>\n";
  }
  return html + "</body>\n</html>\n";
}

}  // namespace qz::report
