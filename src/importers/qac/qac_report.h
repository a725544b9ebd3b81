#pragma once

#include <cstddef>
#include <span>

#include "driver/run_settings.h"
#include "importers/qac/group_by_file.h"
#include "output/statement_list.h"

namespace qz {

// Appends the plain-text report for people: totals, the run's context, a
// table with one row per file (in group order) and every finding per file.
void write_qac_report(const RunSettings& settings, std::size_t unique_findings,
                      std::span<const QacFileGroup> groups, StatementList& lines);

}  // namespace qz
