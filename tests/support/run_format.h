#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/line_reader.h"
#include "core/run.h"

namespace qz::test {

// What one run of a format left behind.
struct FormatOutcome {
  bool ok = false;     // no failure was raised
  std::string output;  // the output file's content
  std::string stdout_text;
  std::size_t skipped_lines = 0;
};

// Settings with descriptive values that show up in every row.
RunSettings sample_settings();

// Writes `input` to a temporary file and runs the format of
// settings.parser_type on it as the program does (input and output paths
// replaced), with lines up to `max_line` bytes; collects the output file and
// the console. It runs once for each way of the line reader (passing over
// lines, cutting every line, and the way the input calls for), which must
// all give the same.
FormatOutcome run_format(RunSettings settings, std::string_view input,
                         std::size_t max_line = LineReader::kDefaultMaxLine);

// The same for a parser type with sample_settings.
FormatOutcome run_format(std::string_view parser_type, std::string_view input);

}  // namespace qz::test

namespace qz::test {

// For a format that gives one row per recognised line: the script begins
// with `create` (and a line feed) on inputs with no recognised line, and a
// last line without line feed is read too; the echo equals the file.
void expect_one_row_per_recognised_line(std::string_view parser_type, std::string_view create,
                                        const std::string& recognised_line);

}  // namespace qz::test
