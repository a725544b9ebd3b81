#pragma once

#include <string>
#include <vector>

#include "driver/run_settings.h"
#include "importers/build/map_record.h"
#include "importers/build/read_records.h"

namespace qz {

// Reads settings.input and writes settings.output; false when the output
// could not be written.
bool import_map(const RunSettings& settings);

// Reads settings.input and writes settings.output; false when the output
// could not be written.
bool import_keil_map(const RunSettings& settings);

// The map entries that `classify` recognises in the file, in input order.
std::vector<MapRecord> read_map_records(const std::string& path,
                                        LineClassifier<MapRecord> classify);

}  // namespace qz
