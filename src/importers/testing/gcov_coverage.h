#pragma once

#include <string_view>
#include <vector>

#include "driver/run_settings.h"
#include "importers/testing/coverage_record.h"
#include "input/line_reader.h"
#include "input/pattern.h"

namespace qz {

// The "Lines" summary row of a GCOV HTML page, written on one line without
// attributes or blanks: <tr><td>Lines:</td><td>executed</td><td>executable</td>
// <td>percent...</td></tr>.
const Pattern& gcov_line_pattern();

// Fills the C0 texts of `record` (the percentage cut to its leading digits)
// and returns true when the whole line is a "Lines" row; otherwise leaves the
// record untouched.
bool classify_gcov_line(std::string_view line, CoverageRecord& record);

// The "Lines" rows of the whole input in input order.
std::vector<CoverageRecord> read_gcov_lines(LineReader& input);

// Reads settings.input and writes settings.output; false when the output
// could not be written.
bool import_gcov_coverage(const RunSettings& settings);

}  // namespace qz
