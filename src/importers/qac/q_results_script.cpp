#include "importers/qac/q_results_script.h"

#include <string>

#include "importers/qac/priority_counts.h"
#include "output/insert_statement.h"

namespace qz {

void append_q_results_script(std::string_view platform, std::string_view run_values,
                             std::span<const QacFileGroup> groups, StatementList& lines) {
  lines.emplace_back(kQResultsCreate);
  for (const QacFileGroup& group : groups) {
    std::string file_name(platform);
    file_name += '\\';
    file_name += group.file_name;
    lines.push_back(InsertStatement(kQResultsInsert, run_values)
                        .quoted(file_name)
                        .bare(format_priority_counts(count_priorities(group)))
                        .finish());
  }
}

}  // namespace qz
