#pragma once

#include <span>
#include <string>
#include <vector>

#include "core/database_reader.h"
#include "report/figures.h"
#include "report/queries.h"

namespace qz::report {

// Reads the sections that `request` asks for: every project and platform
// unless it names them, each with the figures of its trend builds and of
// the previous build, and the changes between that and the judged build.
// Each query is a read of its own, so that an import waits at most for one
// of them, never for the whole report. Throws RunError
// (Step::kReadDatabase) when the database cannot be read.
History read_history(DatabaseReader& database, const ReportRequest& request);

// The parameters of a query on the rows of some builds: project, platform,
// then the git hashes.
std::vector<std::string> build_parameters(const Section& section,
                                          std::span<const std::string> githashes);

// The tables that exist, in the order of kTables.
std::vector<Table> tables_found(DatabaseReader& database);

}  // namespace qz::report
