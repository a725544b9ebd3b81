#include "importers/build/warning_tricore.h"

#include <vector>

#include "importers/build/compiler_results.h"
#include "importers/build/read_records.h"
#include "importers/build/tricore_warning_line.h"
#include "output/insert_statement.h"
#include "output/statement_list.h"

namespace qz {
namespace {

StatementSource tricore_statements(const std::vector<TricoreWarningRecord>& records,
                                   std::string_view run_values) {
  return [&records, run_values](StatementSink& out) {
    out.add(kCompilerResultsCreate);
    for (const TricoreWarningRecord& record : records) {
      out.add(InsertStatement(kCompilerResultsInsertPrefix, run_values)
                  .quoted(record.filename)
                  .quoted(record.line)
                  .quoted(record.type)
                  .quoted(record.message)
                  .quoted(record.warning_number)
                  .finish());
    }
  };
}

}  // namespace

bool import_warning_tricore(const RunSettings& settings) {
  // The descriptive values take the run timestamp before any file is opened.
  const std::string run_values = run_column_values(settings, ToolColumn::kWithout);
  const std::vector<TricoreWarningRecord> records =
      read_records(settings.input, classify_tricore_line);
  return write_statements(tricore_statements(records, run_values), settings.output);
}

}  // namespace qz
