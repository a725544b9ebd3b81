#pragma once

#include <map>
#include <span>
#include <string>
#include <tuple>
#include <utility>

#include "core/database_reader.h"
#include "report/figures.h"
#include "report/queries.h"

namespace qz::report {

// Reads the rows of the section's previous and judged builds from `tables`
// and compares them. A list stays absent where either build has no rows in
// its table.
Changes read_changes(DatabaseReader& database, std::span<const Table> tables,
                     const Section& section);

// The comparisons, on what one build's rows say.
using TestKey = std::pair<std::string, std::string>;  // type, name
using TestResults = std::map<TestKey, bool>;          // failed
// filename, type, error_id, error_num -> places
using WarningKey = std::tuple<std::string, std::string, std::string, std::string>;
using WarningPlaces = std::map<WarningKey, long long>;
using Counts = std::map<std::string, long long>;
using FunctionKey = std::pair<std::string, std::string>;  // tool, function
using FunctionCoverage = std::map<FunctionKey, ToolCoverage>;

void compare_tests(const TestResults& before, const TestResults& now, Changes& changes);
// A warning held by more places than before is new in the places added;
// one held by fewer is fixed in the places gone.
void compare_warnings(const WarningPlaces& before, const WarningPlaces& now, Changes& changes);
// What rose or fell, the largest change first; a name missing on one side
// counts 0 there.
ChangeList<CountChange> compare_counts(const Counts& before, const Counts& now);
// Functions of both builds whose C0 or C1 is lower now, the largest fall
// first.
ChangeList<CoverageFall> compare_coverage(const FunctionCoverage& before,
                                          const FunctionCoverage& now);

}  // namespace qz::report
