#include "report/history.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "report/changes.h"
#include "report/row_values.h"

namespace qz::report {
namespace {

using SectionKey = std::pair<std::string, std::string>;  // project, platform
using EarliestRows = std::map<std::string, std::string>;  // githash -> "date time"

std::vector<std::string> request_parameters(const ReportRequest& request) {
  std::vector<std::string> parameters;
  if (request.project) parameters.push_back(*request.project);
  if (request.platform) parameters.push_back(*request.platform);
  return parameters;
}

// Every build of every section, with the earliest date and time among its
// rows in any table.
std::map<SectionKey, EarliestRows> read_builds(DatabaseReader& database,
                                               std::span<const Table> tables,
                                               const ReportRequest& request) {
  std::map<SectionKey, EarliestRows> builds;
  const std::vector<std::string> parameters = request_parameters(request);
  for (const Table table : tables) {
    database.query(builds_sql(table, request.project.has_value(), request.platform.has_value()),
                   parameters, [&](DatabaseReader::Row row) {
                     EarliestRows& section = builds[{text_of(row[0]), text_of(row[1])}];
                     const std::string stamp = text_of(row[3]) + " " + text_of(row[4]);
                     auto [place, added] = section.emplace(text_of(row[2]), stamp);
                     if (!added && stamp < place->second) place->second = stamp;
                   });
  }
  return builds;
}

Build build_of(const std::string& githash, const std::string& stamp) {
  const std::size_t blank = stamp.find(' ');
  if (blank == std::string::npos) return {githash, stamp, {}};
  return {githash, stamp.substr(0, blank), stamp.substr(blank + 1)};
}

// Oldest first; builds of the same instant by git hash.
std::vector<Build> in_order(const EarliestRows& rows) {
  std::vector<std::pair<std::string, std::string>> ordered;  // stamp, githash
  for (const auto& [githash, stamp] : rows) ordered.emplace_back(stamp, githash);
  std::sort(ordered.begin(), ordered.end());
  std::vector<Build> builds;
  for (const auto& [stamp, githash] : ordered) builds.push_back(build_of(githash, stamp));
  return builds;
}

using FiguresByBuild = std::map<std::string, BuildFigures>;

// A figure that a row of the build is about: it is measured from here on.
template <typename Figure>
Figure& measured(std::optional<Figure>& figure) {
  if (!figure) figure.emplace();
  return *figure;
}

// Compilers write "error" or "warning" (the Tricore importer "Warning").
bool is_error(std::string_view type) {
  return type.size() == 5 && std::equal(type.begin(), type.end(), "error", [](char a, char b) {
           return (a | 0x20) == b;
         });
}

// Reads the figures of the rows of `parameters` (project, platform, git
// hashes) from one table.
void read_figures(DatabaseReader& database, Table table, std::span<const std::string> parameters,
                  FiguresByBuild& figures) {
  const std::size_t builds = parameters.size() - 2;
  using Row = DatabaseReader::Row;
  switch (table) {
    case Table::kTests:
      return database.query(test_counts_sql(builds), parameters, [&](Row row) {
        TestCounts& tests = measured(figures[text_of(row[0])].tests);
        const std::string result = text_of(row[1]);
        if (is_passed(result)) add_to(tests.passed, count_in(row, 2));
        if (is_failed(result)) add_to(tests.failed, count_in(row, 2));
      });
    case Table::kCoverage:
      return database.query(coverage_summary_sql(builds), parameters, [&](Row row) {
        ToolCoverage& tool = figures[text_of(row[0])].coverage[text_of(row[1])];
        add_coverage(tool, row, 2);
      });
    case Table::kCompiler:
      return database.query(compiler_counts_sql(builds), parameters, [&](Row row) {
        CompilerCounts& compiler = measured(figures[text_of(row[0])].compiler);
        add_to(is_error(text_of(row[1])) ? compiler.errors : compiler.warnings, count_in(row, 2));
      });
    case Table::kMap:
      return database.query(section_sizes_sql(builds), parameters, [&](Row row) {
        add_to(measured(figures[text_of(row[0])].memory)[text_of(row[1])], count_in(row, 2));
      });
    case Table::kQac:
      return database.query(qac_counts_sql(builds), parameters, [&](Row row) {
        QacCounts& qac = measured(figures[text_of(row[0])].qac);
        for (std::size_t level = 0; level < qac.levels.size(); ++level) {
          add_to(qac.levels[level], count_in(row, 1 + level));
        }
        add_to(qac.his, count_in(row, 11));
      });
  }
}

// The builds the trends show, and the previous build, for the judged build
// at `judged`.
void place_builds(Section& section, const std::vector<Build>& builds, std::size_t judged,
                  std::size_t shown) {
  const std::size_t first = judged + 1 > shown ? judged + 1 - shown : 0;
  section.builds.assign(builds.begin() + static_cast<std::ptrdiff_t>(first),
                        builds.begin() + static_cast<std::ptrdiff_t>(judged) + 1);
  if (judged > 0) section.previous = builds[judged - 1];
}

void read_section_figures(DatabaseReader& database, std::span<const Table> tables,
                          Section& section) {
  std::vector<std::string> githashes;
  for (const Build& build : section.builds) githashes.push_back(build.githash);
  if (section.previous && section.builds.size() < 2) githashes.push_back(section.previous->githash);
  const std::vector<std::string> parameters = build_parameters(section, githashes);
  FiguresByBuild figures;
  for (const Table table : tables) read_figures(database, table, parameters, figures);
  for (const Build& build : section.builds) section.figures.push_back(figures[build.githash]);
  if (section.previous) section.previous_figures = figures[section.previous->githash];
}

Section read_section(DatabaseReader& database, std::span<const Table> tables,
                     const SectionKey& key, const EarliestRows& rows,
                     const ReportRequest& request) {
  Section section;
  section.project = key.first;
  section.platform = key.second;
  section.build_count = rows.size();
  const std::vector<Build> builds = in_order(rows);
  std::size_t judged = builds.size() - 1;
  if (request.githash) {
    const auto named = std::find_if(builds.begin(), builds.end(), [&](const Build& build) {
      return build.githash == *request.githash;
    });
    if (named == builds.end()) return section;
    judged = static_cast<std::size_t>(named - builds.begin());
  }
  place_builds(section, builds, judged, request.builds);
  read_section_figures(database, tables, section);
  if (section.previous) section.changes = read_changes(database, tables, section);
  return section;
}

}  // namespace

std::vector<std::string> build_parameters(const Section& section,
                                          std::span<const std::string> githashes) {
  std::vector<std::string> parameters{section.project, section.platform};
  parameters.insert(parameters.end(), githashes.begin(), githashes.end());
  return parameters;
}

std::vector<Table> tables_found(DatabaseReader& database) {
  std::vector<Table> tables;
  for (const Table table : kTables) {
    if (database.has_table(table_name(table))) tables.push_back(table);
  }
  return tables;
}

History read_history(DatabaseReader& database, const ReportRequest& request) {
  History history;
  const std::vector<Table> tables = tables_found(database);
  history.tables_found = tables.size();
  for (const auto& [key, rows] : read_builds(database, tables, request)) {
    history.sections.push_back(read_section(database, tables, key, rows, request));
  }
  return history;
}

}  // namespace qz::report
