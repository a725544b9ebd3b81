#pragma once

// Unit-test logs into ut_results.

#include <string>
#include <string_view>

#include "core/pattern.h"
#include "core/run.h"

namespace qz {

struct TestResultRecord {
  std::string name;
  std::string result;  // "passed", "PASSED", "failed" or "FAILED", as written
};

// Blanks, "Test", punctuation, blanks, the name, anything, blanks,
// punctuation (usually dots) and the result word ending the line.
const Pattern& test_line_pattern();
// Fills `record` and returns true when the whole line is a test line;
// otherwise leaves it untouched.
bool classify_test_line(std::string_view line, TestResultRecord& record);
void import_pass_fail(const Run& run);

}  // namespace qz
