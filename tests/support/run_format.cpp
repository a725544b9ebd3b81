#include "support/run_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>

#include "core/output.h"
#include "formats/formats.h"
#include "support/temp_dir.h"

namespace qz::test {

RunSettings sample_settings() {
  RunSettings settings;
  settings.platform = "Hmt4";
  settings.project_name = "K7Qx22_App_default";
  settings.tool_name = "QAC";
  settings.hash_value = "abc123";
  settings.test_type = "Unit";
  return settings;
}

namespace {

FormatOutcome run_format_way(const Format& format, RunSettings settings, std::string_view input,
                             std::size_t max_line, LineReader::Way way) {
  TempDir dir;
  settings.input = dir.write("input.txt", input);
  settings.output = dir.file("output.txt");
  FormatOutcome outcome;
  {
    File input_file = File::open_input(settings.input);
    File output_file = File::open_output(settings.output);
    LineReader reader(input_file, max_line, way);
    Output output(output_file, format.output == OutputKind::kPage ? Output::Echo::kNone
                                                                  : Output::Echo::kAfterFile);
    testing::internal::CaptureStdout();
    try {
      format.import(Run{settings, reader, output});
      output.finish();
      outcome.ok = true;
    } catch (const RunError&) {
      output_file.truncate_to_empty();
    }
    outcome.stdout_text = testing::internal::GetCapturedStdout();
    outcome.skipped_lines = reader.skipped_lines();
  }
  outcome.output = read_file(settings.output);
  return outcome;
}

}  // namespace

FormatOutcome run_format(RunSettings settings, std::string_view input, std::size_t max_line) {
  const Format* format = find_format(settings.parser_type);
  EXPECT_NE(format, nullptr) << settings.parser_type;
  if (format == nullptr) return {};
  // Both ways of reading, and the one the input calls for, give the same.
  const FormatOutcome outcome =
      run_format_way(*format, settings, input, max_line, LineReader::Way::kPassOver);
  for (const auto way : {LineReader::Way::kEveryLine, LineReader::Way::kChosen}) {
    const FormatOutcome other = run_format_way(*format, settings, input, max_line, way);
    EXPECT_EQ(other.ok, outcome.ok) << settings.parser_type;
    EXPECT_EQ(other.output, outcome.output) << settings.parser_type << " way " << int(way);
    EXPECT_EQ(other.stdout_text, outcome.stdout_text) << settings.parser_type;
    EXPECT_EQ(other.skipped_lines, outcome.skipped_lines) << settings.parser_type;
  }
  return outcome;
}

FormatOutcome run_format(std::string_view parser_type, std::string_view input) {
  RunSettings settings = sample_settings();
  settings.parser_type = std::string(parser_type);
  return run_format(settings, input);
}

}  // namespace qz::test

namespace qz::test {

void expect_one_row_per_recognised_line(std::string_view parser_type, std::string_view create,
                                        const std::string& line) {
  const std::pair<std::string, long> inputs[] = {
      {"", 0}, {"\n", 0}, {"\r\n", 0}, {"Build succeeded.\n", 0}, {line + "\r\n" + line, 2}};
  for (const auto& [input, rows] : inputs) {
    const FormatOutcome outcome = run_format(parser_type, input);
    EXPECT_TRUE(outcome.ok);
    EXPECT_TRUE(outcome.output.starts_with(std::string(create) + "\n")) << outcome.output;
    EXPECT_EQ(std::count(outcome.output.begin(), outcome.output.end(), '\n'), 1 + rows)
        << parser_type << ": " << input;
    EXPECT_EQ(outcome.stdout_text, outcome.output);
  }
}

}  // namespace qz::test
