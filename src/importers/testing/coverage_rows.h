#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "importers/testing/coverage_record.h"
#include "output/statement_list.h"

namespace qz {

// The ut_coverage script: the CREATE statement, then one INSERT per record
// in record order. `run_values` are the run's descriptive values with the
// tool column (run_column_values).
StatementSource coverage_statements(const std::vector<CoverageRecord>& records,
                                  std::string_view run_values);

// Writes the script to `output_path` and echoes it; false when the file could
// not be written.
bool write_coverage_script(const std::vector<CoverageRecord>& records,
                           std::string_view run_values, const std::string& output_path);

}  // namespace qz
