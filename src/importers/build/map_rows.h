#pragma once

#include <string_view>
#include <vector>

#include "importers/build/map_record.h"
#include "output/statement_list.h"

namespace qz {

// The compiler_map script shared by both map importers: the CREATE statement,
// then one INSERT per record in list order. `run_values` are the quoted
// descriptive values of the run (without a tool column).
StatementSource map_statements(const std::vector<MapRecord>& records, std::string_view run_values);

}  // namespace qz
