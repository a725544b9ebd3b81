#pragma once

#include <string_view>

namespace qz {

// The table that all three compiler-warning importers write. It has no key:
// every run appends all its rows.
inline constexpr std::string_view kCompilerResultsCreate =
    "create table if not exists compiler_results (platform, project, githash, date, time, "
    "filename, line INTEGER, type, error_id, error_num INTEGER);";

inline constexpr std::string_view kCompilerResultsInsertPrefix =
    "insert into compiler_results (platform, project, githash, date, time, filename, line, type, "
    "error_id, error_num) values (";

}  // namespace qz
