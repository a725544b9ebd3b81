#include "importers/qac/import_qac.h"

#include "importers/qac/group_by_file.h"
#include "importers/qac/q_results_script.h"
#include "importers/qac/qac_report.h"
#include "importers/qac/read_qac_records.h"
#include "output/insert_statement.h"

namespace qz {

bool import_qac(const RunSettings& settings) {
  // Taken before reading, so that the rows carry the start of the import.
  const std::string run_values = run_column_values(settings, ToolColumn::kWith);
  const std::vector<QacRecord> records = read_qac_records(settings.input);
  const std::vector<QacFileGroup> groups = group_by_file(records);

  StatementList lines;
  if (settings.parser_type == "QAC") {
    append_q_results_script(settings.platform, run_values, groups, lines);
  } else if (settings.parser_type == "QAC_full_report") {
    write_qac_report(settings, records.size(), groups, lines);
  }
  return write_statements(lines, settings.output);
}

}  // namespace qz
