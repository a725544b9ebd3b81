#pragma once

#include <span>
#include <string_view>

#include "importers/qac/group_by_file.h"
#include "output/statement_list.h"

namespace qz {

inline constexpr std::string_view kQResultsCreate =
    "create table if not exists q_results (platform, project, tool, githash, date, time, "
    "filename, misra_0, misra_1, misra_2, misra_3, misra_4, misra_5, misra_6, misra_7, misra_8, "
    "misra_9, his, UNIQUE (githash, filename) ON CONFLICT IGNORE);";

inline constexpr std::string_view kQResultsInsert =
    "insert into q_results (platform, project, tool, githash, date, time, filename, misra_0, "
    "misra_1, misra_2, misra_3, misra_4, misra_5, misra_6, misra_7, misra_8, misra_9, his) "
    "values (";

// Appends the CREATE statement and one row per group, in group order. The
// filename column is the platform, a backslash and the group's file name.
void append_q_results_script(std::string_view platform, std::string_view run_values,
                             std::span<const QacFileGroup> groups, StatementList& lines);

}  // namespace qz
