#include "report/changes.h"

#include <algorithm>
#include <cstdlib>

#include "report/history.h"
#include "report/row_values.h"

namespace qz::report {
namespace {

using Row = DatabaseReader::Row;

template <typename Entry>
ChangeList<Entry> cut(std::vector<Entry> entries) {
  ChangeList<Entry> list;
  list.count = entries.size();
  list.entries = std::move(entries);
  if (list.entries.size() > kListedChanges) list.entries.resize(kListedChanges);
  return list;
}

TestChange test_change(const TestKey& key) { return {key.first, key.second}; }

// The rows of one build through `sql`, each handed to `take`; nothing when
// the build has none.
template <typename Rows, typename Take>
std::optional<Rows> read_build(DatabaseReader& database, const std::string& sql,
                               const Section& section, const Build& build, Take take) {
  Rows rows;
  bool any = false;
  const std::string githash[] = {build.githash};
  database.query(sql, build_parameters(section, githash), [&](Row row) {
    any = true;
    take(rows, row);
  });
  return any ? std::optional<Rows>(std::move(rows)) : std::nullopt;
}

// Both builds' rows, or nothing when either has none.
template <typename Rows, typename Take>
std::optional<std::pair<Rows, Rows>> read_both(DatabaseReader& database, const std::string& sql,
                                               const Section& section, Take take) {
  auto before = read_build<Rows>(database, sql, section, *section.previous, take);
  if (!before) return std::nullopt;
  auto now = read_build<Rows>(database, sql, section, *section.judged(), take);
  if (!now) return std::nullopt;
  return std::pair(std::move(*before), std::move(*now));
}

void take_test(TestResults& tests, Row row) {
  bool& failed = tests[{text_of(row[0]), text_of(row[1])}];
  failed = failed || is_failed(text_of(row[2]));
}

void take_warning(WarningPlaces& places, Row row) {
  add_to(places[{text_of(row[0]), text_of(row[1]), text_of(row[2]), text_of(row[3])}],
         count_in(row, 4));
}

void take_function(FunctionCoverage& functions, Row row) {
  add_coverage(functions[{text_of(row[0]), text_of(row[1])}], row, 2);
}

void read_table_changes(DatabaseReader& database, Table table, const Section& section,
                        Changes& changes) {
  switch (table) {
    case Table::kTests:
      if (const auto tests = read_both<TestResults>(database, tests_of_build_sql(), section,
                                                    take_test)) {
        compare_tests(tests->first, tests->second, changes);
      }
      return;
    case Table::kCoverage:
      if (const auto functions = read_both<FunctionCoverage>(database, coverage_functions_sql(),
                                                             section, take_function)) {
        changes.coverage_falls = compare_coverage(functions->first, functions->second);
      }
      return;
    case Table::kCompiler:
      if (const auto warnings = read_both<WarningPlaces>(database, warnings_of_build_sql(),
                                                         section, take_warning)) {
        compare_warnings(warnings->first, warnings->second, changes);
      }
      return;
    case Table::kMap:
      if (const auto modules =
              read_both<std::pair<Counts, Counts>>(database, module_sizes_sql(), section,
                                                   [](std::pair<Counts, Counts>& sizes, Row row) {
                                                     const long long bytes = count_in(row, 2);
                                                     add_to(sizes.first[text_of(row[0])], bytes);
                                                     add_to(sizes.second[text_of(row[1])], bytes);
                                                   })) {
        changes.sections = compare_counts(modules->first.first, modules->second.first);
        changes.modules = compare_counts(modules->first.second, modules->second.second);
      }
      return;
    case Table::kQac:
      if (const auto files = read_both<Counts>(database, qac_files_of_build_sql(), section,
                                               [](Counts& findings, Row row) {
                                                 add_to(findings[text_of(row[0])], count_in(row, 1));
                                               })) {
        changes.qac_files = compare_counts(files->first, files->second);
      }
      return;
  }
}

// Whether a is lower than b, exactly; an absent figure is never lower.
bool lower(const std::optional<Ratio>& a, const std::optional<Ratio>& b) {
  if (!a || !b || a->coverable <= 0 || b->coverable <= 0) return false;
  return static_cast<long double>(a->covered) * static_cast<long double>(b->coverable) <
         static_cast<long double>(b->covered) * static_cast<long double>(a->coverable);
}

double fall(const std::optional<Ratio>& before, const std::optional<Ratio>& now) {
  if (!lower(now, before)) return 0;
  return *before->percent() - *now->percent();
}

// Calls `each(key, before, now)` for every key of either map, in key order;
// the map that lacks a key hands on null.
template <typename Map, typename Each>
void for_each_key(const Map& before, const Map& now, Each each) {
  auto b = before.begin();
  auto n = now.begin();
  while (b != before.end() || n != now.end()) {
    if (n == now.end() || (b != before.end() && b->first < n->first)) {
      each(b->first, &b->second, nullptr);
      ++b;
    } else if (b == before.end() || n->first < b->first) {
      each(n->first, nullptr, &n->second);
      ++n;
    } else {
      each(n->first, &b->second, &n->second);
      ++b;
      ++n;
    }
  }
}

}  // namespace

void compare_tests(const TestResults& before, const TestResults& now, Changes& changes) {
  std::vector<TestChange> failing, passing, added, removed;
  for_each_key(before, now, [&](const TestKey& key, const bool* failed_before, const bool* failed) {
    if (failed_before == nullptr) {
      added.push_back(test_change(key));
    } else if (failed == nullptr) {
      removed.push_back(test_change(key));
    } else if (*failed != *failed_before) {
      (*failed ? failing : passing).push_back(test_change(key));
    }
  });
  changes.newly_failing = cut(std::move(failing));
  changes.newly_passing = cut(std::move(passing));
  changes.added_tests = cut(std::move(added));
  changes.removed_tests = cut(std::move(removed));
}

void compare_warnings(const WarningPlaces& before, const WarningPlaces& now, Changes& changes) {
  std::vector<WarningChange> added, fixed;
  for_each_key(before, now, [&](const WarningKey& key, const long long* was, const long long* is) {
    const long long places_before = was != nullptr ? *was : 0;
    const long long places_now = is != nullptr ? *is : 0;
    const auto& [filename, type, error_id, error_num] = key;
    WarningChange change{filename, type, error_id, error_num, places_before, places_now};
    if (places_now > places_before) {
      add_to(changes.new_places, places_now - places_before);
      added.push_back(std::move(change));
    } else if (places_now < places_before) {
      add_to(changes.fixed_places, places_before - places_now);
      fixed.push_back(std::move(change));
    }
  });
  changes.new_warnings = cut(std::move(added));
  changes.fixed_warnings = cut(std::move(fixed));
}

ChangeList<CountChange> compare_counts(const Counts& before, const Counts& now) {
  std::vector<CountChange> changed;
  for (const auto& [name, count] : now) {
    const auto earlier = before.find(name);
    const long long was = earlier == before.end() ? 0 : earlier->second;
    if (was != count) changed.push_back({name, was, count});
  }
  for (const auto& [name, count] : before) {
    if (!now.contains(name) && count != 0) changed.push_back({name, count, 0});
  }
  std::stable_sort(changed.begin(), changed.end(), [](const CountChange& a, const CountChange& b) {
    return std::llabs(a.now - a.before) > std::llabs(b.now - b.before);
  });
  return cut(std::move(changed));
}

ChangeList<CoverageFall> compare_coverage(const FunctionCoverage& before,
                                          const FunctionCoverage& now) {
  std::vector<std::pair<double, CoverageFall>> falls;
  for (const auto& [key, coverage] : now) {
    const auto earlier = before.find(key);
    if (earlier == before.end()) continue;
    const double drop = std::max(fall(earlier->second.c0, coverage.c0),
                                 fall(earlier->second.c1, coverage.c1));
    if (lower(coverage.c0, earlier->second.c0) || lower(coverage.c1, earlier->second.c1)) {
      falls.emplace_back(drop, CoverageFall{key.first, key.second, earlier->second, coverage});
    }
  }
  std::stable_sort(falls.begin(), falls.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  std::vector<CoverageFall> entries;
  for (auto& [drop, entry] : falls) entries.push_back(std::move(entry));
  return cut(std::move(entries));
}

Changes read_changes(DatabaseReader& database, std::span<const Table> tables,
                     const Section& section) {
  Changes changes;
  for (const Table table : tables) read_table_changes(database, table, section, changes);
  return changes;
}

}  // namespace qz::report
