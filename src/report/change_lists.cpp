// The change lists of a section: what differs between the previous and the
// judged build, each list cut to its first entries.
#include <initializer_list>

#include "report/html.h"
#include "report/page.h"
#include "report/text.h"

namespace qz::report {
namespace {

// The heading of a list with its full count, or why it is missing.
template <typename Entry>
bool append_heading(std::string& html, std::string_view title,
                    const std::optional<ChangeList<Entry>>& list) {
  html += "<h4>";
  append_text(html, title);
  if (list) html += " (" + grouped(static_cast<long long>(list->count)) + ")";
  html += "</h4>";
  if (!list) {
    html += "<p>Not compared: one of the two builds has no rows of this kind.</p>";
  } else if (list->count == 0) {
    html += "<p>None.</p>";
  }
  return list && list->count > 0;
}

template <typename Entry>
void append_more(std::string& html, const ChangeList<Entry>& list) {
  if (list.count <= list.entries.size()) return;
  html += "<p>and " + grouped(static_cast<long long>(list.count - list.entries.size())) +
          " more</p>";
}

// The entries of a list as a table, a row each under `headers`, and how
// many more there are.
template <typename Entry, typename AppendCells>
void append_table(std::string& html, const ChangeList<Entry>& list,
                  std::initializer_list<std::string_view> headers, AppendCells append_cells) {
  html += std::string(kTableStart) + "<tr>";
  for (std::string_view header : headers) append_element(html, "th", header);
  html += "</tr>";
  for (const Entry& entry : list.entries) {
    html += "<tr>";
    append_cells(entry);
    html += "</tr>";
  }
  html += "</table>";
  append_more(html, list);
}

void append_tests(std::string& html, std::string_view title,
                  const std::optional<ChangeList<TestChange>>& list) {
  if (!append_heading(html, title, list)) return;
  html += "<ul>";
  for (const TestChange& test : list->entries) {
    html += "<li>";
    append_name(html, test.type);
    html += ": ";
    append_name(html, test.name);
    html += "</li>";
  }
  html += "</ul>";
  append_more(html, *list);
}

void append_count_cell(std::string& html, long long count) {
  html += "<td class=\"n\">" + grouped(count) + "</td>";
}

// A rise is shown as worse.
void append_change_cell(std::string& html, long long change) {
  html += "<td class=\"n\">";
  append_change(html, signed_count(change), change > 0 ? Judgement::kWorse : Judgement::kBetter);
  html += "</td>";
}

void append_warnings(std::string& html, std::string_view title, long long places,
                     const std::optional<ChangeList<WarningChange>>& list) {
  if (!append_heading(html, title, list)) return;
  html += "<p>" + counted(places, "place", "places") + " in all.</p>";
  append_table(html, *list, {"File", "Type", "Message", "Number", "Places before", "Places now"},
               [&](const WarningChange& warning) {
                 append_element(html, "td", warning.filename);
                 append_element(html, "td", warning.type);
                 append_element(html, "td", warning.error_id);
                 append_element(html, "td", warning.error_num);
                 append_count_cell(html, warning.places_before);
                 append_count_cell(html, warning.places_now);
               });
}

void append_counts(std::string& html, std::string_view title, std::string_view name_header,
                   const std::optional<ChangeList<CountChange>>& list) {
  if (!append_heading(html, title, list)) return;
  append_table(html, *list, {name_header, "Before", "Now", "Change"},
               [&](const CountChange& change) {
                 append_element(html, "td", change.name);
                 append_count_cell(html, change.before);
                 append_count_cell(html, change.now);
                 append_change_cell(html, change.now - change.before);
               });
}

std::string ratio_text(const std::optional<Ratio>& ratio) {
  const auto percent = ratio ? ratio->percent() : std::nullopt;
  return percent ? percent_text(*percent) : "-";
}

void append_coverage_falls(std::string& html, const std::optional<ChangeList<CoverageFall>>& list) {
  if (!append_heading(html, "Functions whose coverage fell", list)) return;
  append_table(html, *list, {"Tool", "Function", "C0 before", "C0 now", "C1 before", "C1 now"},
               [&](const CoverageFall& fall) {
                 append_element(html, "td", fall.tool);
                 append_element(html, "td", fall.function);
                 for (const auto* ratio :
                      {&fall.before.c0, &fall.now.c0, &fall.before.c1, &fall.now.c1}) {
                   html += "<td class=\"n\">" + ratio_text(*ratio) + "</td>";
                 }
               });
}

}  // namespace

void append_change_lists(std::string& html, const Section& section) {
  const Changes& changes = section.changes;
  html += "<h3>Changes from the previous build</h3>";
  append_tests(html, "Tests newly failing", changes.newly_failing);
  append_tests(html, "Tests newly passing", changes.newly_passing);
  append_tests(html, "Tests added", changes.added_tests);
  append_tests(html, "Tests removed", changes.removed_tests);
  append_warnings(html, "New warnings and errors", changes.new_places, changes.new_warnings);
  append_warnings(html, "Fixed warnings and errors", changes.fixed_places, changes.fixed_warnings);
  append_counts(html, "QAC files whose findings rose or fell", "File", changes.qac_files);
  append_coverage_falls(html, changes.coverage_falls);
  append_counts(html, "Sections that grew or shrank (bytes)", "Section", changes.sections);
  append_counts(html, "Modules that grew or shrank (bytes)", "Module", changes.modules);
}

}  // namespace qz::report
