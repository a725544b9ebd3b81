#pragma once

#include <string>

namespace qz {

// The coverage figures of one function, or of a whole module or page, for
// one ut_coverage row. The figures stay the digit texts of the report, never
// converted, so leading zeros pass through. C0 is statement (for GCOV: line)
// coverage, C1 decision coverage; a text the report does not give stays empty.
struct CoverageRecord {
  std::string function_name;
  std::string C0_percent;
  std::string C0_tested_lines;
  std::string C0_testable_lines;
  std::string C1_percent;
  std::string C1_tested_lines;
  std::string C1_testable_lines;
};

}  // namespace qz
