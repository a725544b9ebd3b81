#pragma once

#include <string_view>
#include <vector>

#include "driver/run_settings.h"
#include "importers/testing/coverage_record.h"
#include "input/line_reader.h"
#include "input/pattern.h"

namespace qz {

// A function entry, its two report lines joined directly:
// "***TER  75 % (  3/  4) of FUNCTION name()" "        90 % (  9/ 10) statement".
// Groups: decision percent, covered, total; name; statement percent,
// covered, total.
const Pattern& ctc_function_pattern();

// A module summary, its two report lines joined by one blank:
// "TER : 80 % (12/15) decision" "TER : 85 % (34/40) statement".
// Groups: decision percent, covered, total; statement percent, covered, total.
const Pattern& ctc_module_pattern();

// The function name given to module summaries.
inline constexpr std::string_view kModuleStatisticsName = "*module_statistics";

// Fills `record` from one joined line pair and returns true when the pair is
// a function entry or a module summary; otherwise leaves it untouched.
bool classify_ctc_text(std::string_view text, CoverageRecord& record);

// The entries of the whole input in input order. A line beginning with
// "***TER" or "TER" opens a pair and uses up the line after it.
std::vector<CoverageRecord> read_ctc_records(LineReader& input);

// Reads settings.input and writes settings.output; false when the output
// could not be written.
bool import_ctc_coverage(const RunSettings& settings);

}  // namespace qz
