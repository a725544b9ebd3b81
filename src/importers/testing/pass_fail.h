#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "driver/run_settings.h"
#include "input/line_reader.h"
#include "input/pattern.h"

namespace qz {

// One test that reported itself in a unit-test log.
struct TestResultRecord {
  std::string name;
  std::string result;  // "passed", "PASSED", "failed" or "FAILED", as written
};

// A test line: blanks, "Test", punctuation, blanks, the name, anything,
// blanks, punctuation (usually dots) and the result word ending the line.
const Pattern& test_line_pattern();

// Fills `record` and returns true when the whole line is a test line;
// otherwise leaves it untouched.
bool classify_test_line(std::string_view line, TestResultRecord& record);

// The test lines of the whole input in input order, duplicates kept.
std::vector<TestResultRecord> read_test_results(LineReader& input);

// Reads settings.input and writes settings.output; false when the output
// could not be written.
bool import_pass_fail(const RunSettings& settings);

}  // namespace qz
