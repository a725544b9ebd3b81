#include "importers/build/warning_importers.h"

#include <vector>

#include "importers/build/compiler_results.h"
#include "importers/build/keil_warning_line.h"
#include "importers/build/read_records.h"
#include "importers/build/warning_line.h"
#include "output/insert_statement.h"
#include "output/statement_list.h"

namespace qz {
namespace {

// The last value of a row: what each format knows about the error number.
using ErrorNumberWriter = void (*)(InsertStatement& statement, const WarningRecord& record);

void write_derived_error_number(InsertStatement& statement, const WarningRecord& record) {
  statement.quoted(warning_error_number(record.error_id));
}

// KEIL lines carry no error number; the column gets a bare 0.
void write_no_error_number(InsertStatement& statement, const WarningRecord& /*record*/) {
  statement.bare("0");
}

StatementSource warning_statements(const std::vector<WarningRecord>& records,
                                   std::string_view run_values, ErrorNumberWriter error_number) {
  return [&records, run_values, error_number](StatementSink& out) {
    out.add(kCompilerResultsCreate);
    for (const WarningRecord& record : records) {
      InsertStatement statement(kCompilerResultsInsertPrefix, run_values);
      statement.quoted(record.filename)
          .quoted(record.line)
          .quoted(record.type)
          .quoted(record.error_id);
      error_number(statement, record);
      out.add(statement.finish());
    }
  };
}

bool import_warnings_with(const RunSettings& settings, LineClassifier<WarningRecord> classify,
                          ErrorNumberWriter error_number) {
  // The descriptive values take the run timestamp before any file is opened.
  const std::string run_values = run_column_values(settings, ToolColumn::kWithout);
  const std::vector<WarningRecord> records = read_records(settings.input, classify);
  return write_statements(warning_statements(records, run_values, error_number), settings.output);
}

}  // namespace

bool import_warning(const RunSettings& settings) {
  return import_warnings_with(settings, classify_warning_line, write_derived_error_number);
}

bool import_warning_keil(const RunSettings& settings) {
  return import_warnings_with(settings, classify_keil_line, write_no_error_number);
}

}  // namespace qz
