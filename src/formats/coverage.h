#pragma once

// GCOV and CTC coverage reports into ut_coverage.

#include <functional>
#include <string>
#include <string_view>

#include "core/line_reader.h"
#include "core/pattern.h"
#include "core/run.h"

namespace qz {

// The coverage figures of one function, or of a whole module or page. The
// figures stay the digit texts of the report, so leading zeros pass through.
// C0 is statement (for GCOV: line) coverage, C1 decision coverage; a figure
// the report does not give stays empty.
struct CoverageRecord {
  std::string function_name;
  std::string C0_percent;
  std::string C0_tested_lines;
  std::string C0_testable_lines;
  std::string C1_percent;
  std::string C1_tested_lines;
  std::string C1_testable_lines;
};

// The "Lines" summary row of a GCOV HTML page, on one line:
// <tr><td>Lines:</td><td>executed</td><td>executable</td><td>percent...</td></tr>.
const Pattern& gcov_line_pattern();
// Fills the C0 figures (the percentage cut to its leading digits) and
// returns true for a "Lines" row; otherwise leaves the record untouched.
bool classify_gcov_line(std::string_view line, CoverageRecord& record);

// A CTC function entry, its two report lines joined directly:
// "***TER  75 % (  3/  4) of FUNCTION name()" "        90 % (  9/ 10) statement".
const Pattern& ctc_function_pattern();
// A CTC module summary, its two report lines joined by one blank:
// "TER : 80 % (12/15) decision" "TER : 85 % (34/40) statement".
const Pattern& ctc_module_pattern();
// The function name given to module summaries.
inline constexpr std::string_view kModuleStatisticsName = "*module_statistics";
// Fills `record` from one joined pair of lines; false (record untouched)
// when it is neither a function entry nor a module summary.
bool classify_ctc_text(std::string_view text, CoverageRecord& record);
// Hands every entry of the input to `take`, in input order. A line beginning
// with "***TER" or "TER" opens a pair and uses up the line after it.
void read_ctc_records(LineReader& input, const std::function<void(const CoverageRecord&)>& take);

void import_gcov_coverage(const Run& run);
void import_ctc_coverage(const Run& run);

}  // namespace qz
