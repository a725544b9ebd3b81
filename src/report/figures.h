#pragma once

// What the report tells about the builds of one project and platform: the
// figures of each build and the changes from the previous build. Read by
// history.h, shown by the page, the JSON, the summary lines and the gates.

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qz::report {

// One build: the rows of one project, platform and git hash, dated by the
// earliest date and time among them.
struct Build {
  std::string githash;
  std::string date;  // YYYY-MM-DD
  std::string time;  // HH:MM:SS
};

struct TestCounts {
  long long passed = 0;
  long long failed = 0;
};

// Covered of coverable, as a coverage tool's summary rows add up.
struct Ratio {
  long long covered = 0;
  long long coverable = 0;
  // Nothing when nothing is coverable.
  std::optional<double> percent() const;
};

// C0 (statements or lines) and C1 (decisions) of one tool; a figure the
// tool does not report is absent.
struct ToolCoverage {
  std::optional<Ratio> c0;
  std::optional<Ratio> c1;
};

struct CompilerCounts {
  long long errors = 0;
  long long warnings = 0;
};

// QAC findings: per priority level (misra_0 to misra_9) and HIS.
struct QacCounts {
  std::array<long long, 10> levels{};
  long long his = 0;
  long long total() const;
};

// The figures of one build. A table without rows for the build leaves its
// figure absent: not measured, which is never zero.
struct BuildFigures {
  std::optional<TestCounts> tests;
  std::map<std::string, ToolCoverage> coverage;  // by tool name; empty: not measured
  std::optional<CompilerCounts> compiler;
  std::optional<QacCounts> qac;
  std::optional<std::map<std::string, long long>> memory;  // bytes by section
};

long long memory_total(const std::map<std::string, long long>& sections);

// The names of the `count` largest sections, largest first (ties in name
// order).
std::vector<std::string> largest_sections(const std::map<std::string, long long>& sections,
                                          std::size_t count);

// A database may hold any number in any row. Each value read is held to
// within this bound (row_values.h) and so is each sum (add_to), so that no
// figure, total of figures or difference of two overflows.
inline constexpr long long kLargestCount = 1LL << 56;

// total += value, held within +-kLargestCount.
void add_to(long long& total, long long value);

// A list cut to its first entries; `count` is how many there are in all.
template <typename Entry>
struct ChangeList {
  std::size_t count = 0;
  std::vector<Entry> entries;
};

inline constexpr std::size_t kListedChanges = 50;

struct TestChange {
  std::string type;  // Unit, Integration
  std::string name;
};

// A warning or error, matched between builds on everything but its line:
// the places (lines) that hold it in each build.
struct WarningChange {
  std::string filename;
  std::string type;
  std::string error_id;
  std::string error_num;
  long long places_before = 0;
  long long places_now = 0;
};

// A count that rose or fell: findings of a QAC file, bytes of a section or
// a module.
struct CountChange {
  std::string name;
  long long before = 0;
  long long now = 0;
};

struct CoverageFall {
  std::string tool;
  std::string function;
  ToolCoverage before;
  ToolCoverage now;
};

// The changes from the previous build to the judged one. A list is absent
// where either build is not measured in its table.
struct Changes {
  std::optional<ChangeList<TestChange>> newly_failing;
  std::optional<ChangeList<TestChange>> newly_passing;
  std::optional<ChangeList<TestChange>> added_tests;
  std::optional<ChangeList<TestChange>> removed_tests;
  std::optional<ChangeList<WarningChange>> new_warnings;
  std::optional<ChangeList<WarningChange>> fixed_warnings;
  long long new_places = 0;    // places of new warnings and errors, all of them
  long long fixed_places = 0;  // places no longer warned about
  std::optional<ChangeList<CountChange>> qac_files;
  std::optional<ChangeList<CoverageFall>> coverage_falls;
  std::optional<ChangeList<CountChange>> sections;
  std::optional<ChangeList<CountChange>> modules;
};

// One project and platform.
struct Section {
  std::string project;
  std::string platform;
  std::size_t build_count = 0;  // every build in the database
  // The builds the trends show, oldest first, up to and with the judged
  // build; their figures in the same order. Empty when the build named by
  // --hash_value is not among this section's builds.
  std::vector<Build> builds;
  std::vector<BuildFigures> figures;
  std::optional<Build> previous;
  std::optional<BuildFigures> previous_figures;
  Changes changes;

  const Build* judged() const { return builds.empty() ? nullptr : &builds.back(); }
  const BuildFigures* judged_figures() const { return figures.empty() ? nullptr : &figures.back(); }
};

// What the report reads: which of the five tables exist, and one section
// per project and platform (in byte order of project, then platform).
struct History {
  std::size_t tables_found = 0;
  std::vector<Section> sections;
};

// What the report is asked for.
struct ReportRequest {
  std::optional<std::string> project;
  std::optional<std::string> platform;
  std::optional<std::string> githash;  // the judged build; the latest when absent
  std::size_t builds = 30;
};

}  // namespace qz::report
