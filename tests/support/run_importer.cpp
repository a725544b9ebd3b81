#include "support/run_importer.h"

#include <gtest/gtest.h>

#include "output/insert_statement.h"
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

ImportOutcome run_importer(Importer importer, RunSettings settings, std::string_view input) {
  TempDir dir;
  settings.input = dir.write("input.txt", input);
  settings.output = dir.file("output.txt");
  ImportOutcome outcome;
  testing::internal::CaptureStdout();
  outcome.ok = importer(settings);
  outcome.stdout_text = testing::internal::GetCapturedStdout();
  outcome.output = read_file(settings.output);
  return outcome;
}

std::string quoted_run_values(bool with_tool) {
  return run_column_values(sample_settings(), with_tool ? ToolColumn::kWith : ToolColumn::kWithout);
}

}  // namespace qz::test
