#include "importers/build/map_importers.h"

#include "importers/build/keil_map_line.h"
#include "importers/build/map_line.h"
#include "importers/build/map_rows.h"
#include "output/insert_statement.h"

namespace qz {
namespace {

// Both map importers differ only in how they read a line.
bool import_map_with(const RunSettings& settings, LineClassifier<MapRecord> classify) {
  // The descriptive values take the run timestamp before any file is opened.
  const std::string run_values = run_column_values(settings, ToolColumn::kWithout);
  const std::vector<MapRecord> records = read_map_records(settings.input, classify);
  return write_statements(map_statements(records, run_values), settings.output);
}

}  // namespace

std::vector<MapRecord> read_map_records(const std::string& path,
                                        LineClassifier<MapRecord> classify) {
  return read_records(path, classify);
}

bool import_map(const RunSettings& settings) {
  return import_map_with(settings, classify_map_line);
}

bool import_keil_map(const RunSettings& settings) {
  return import_map_with(settings, classify_keil_map_line);
}

}  // namespace qz
