// Runs the real program with every parser type on inputs it was not made
// for: the bundled example of every type, the same examples with NUL bytes
// inside their lines, random bytes, NUL bytes only and an empty file. Each
// run must end with status 0 and a well-formed result of its type.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "formats/formats.h"
#include "support/program.h"
#include "support/sqlite_db.h"
#include "support/temp_dir.h"

namespace qz::test {
namespace {

namespace fs = std::filesystem;

// An input kind: "empty", "random_bytes", "nul_bytes", an example's file name
// ("Map.map"), or "nul_in_lines/" and an example's file name.
std::vector<std::string> input_kinds() {
  std::vector<std::string> examples;
  for (const auto& entry : fs::directory_iterator(QZ_EXAMPLES)) {
    if (entry.is_regular_file()) examples.push_back(entry.path().filename().string());
  }
  std::sort(examples.begin(), examples.end());
  std::vector<std::string> kinds{"empty", "random_bytes", "nul_bytes"};
  for (const std::string& example : examples) kinds.push_back(example);
  for (const std::string& example : examples) kinds.push_back("nul_in_lines/" + example);
  return kinds;
}

// Seeded, so that a failure can be repeated; line feeds come by chance.
std::string random_bytes() {
  std::mt19937 engine(20221130);
  std::string bytes(64 * 1024, '\0');
  for (char& byte : bytes) byte = static_cast<char>(engine() & 0xff);
  return bytes;
}

// A NUL byte in the middle of every line and one before its last character,
// so that it falls into the captured fields of recognised lines.
std::string with_nul_in_lines(const std::string& text) {
  std::string result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.size() >= 2) {
      line.insert(line.size() - 1, 1, '\0');
      line.insert(line.size() / 2, 1, '\0');
    }
    result += line + '\n';
  }
  return result;
}

std::string input_content(std::string_view kind) {
  if (kind == "empty") return {};
  if (kind == "random_bytes") return random_bytes();
  if (kind == "nul_bytes") return std::string(4096, '\0');
  constexpr std::string_view kNulPrefix = "nul_in_lines/";
  if (kind.starts_with(kNulPrefix)) {
    kind.remove_prefix(kNulPrefix.size());
    return with_nul_in_lines(read_file(fs::path(QZ_EXAMPLES) / kind));
  }
  return read_file(fs::path(QZ_EXAMPLES) / kind);
}

struct RunResult {
  int status = -1;
  std::string stdout_text;
  std::string output;
};

RunResult run_program(std::string_view parser_type, const std::string& input) {
  const TempDir work;
  const std::string output_path = work.file("output");
  const std::string stdout_path = work.file("stdout");
  std::string command = shell_quote(QZ_PROGRAM);
  for (const std::string& arg :
       {"--input=" + work.write("input", input), "--output=" + output_path,
        std::string("--platform=Hmt4"), std::string("--test_type=Unit"),
        std::string("--project_name=K7Qx22_App_default"), std::string("--tool_name=QZ"),
        std::string("--hash_value=0123abcd"), "--parser_type=" + std::string(parser_type)}) {
    command += " " + shell_quote(arg);
  }
  command += " > " + shell_quote(stdout_path) + " 2>/dev/null";
  RunResult result;
  result.status = run_shell(command);
  result.stdout_text = read_file(stdout_path);
  result.output = read_file(output_path);
  return result;
}

std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// One CREATE line, then INSERT lines into the same table; SQLite takes each
// line on its own as one whole statement (a NUL byte would cut it short).
void expect_sql_script(std::string_view script) {
  ASSERT_TRUE(script.ends_with(");\n")) << "the script does not end with a whole statement";
  const std::vector<std::string_view> lines = lines_of(script);
  constexpr std::string_view kCreate = "create table if not exists ";
  ASSERT_TRUE(lines[0].starts_with(kCreate)) << lines[0];
  const std::string_view table =
      lines[0].substr(kCreate.size(), lines[0].find(" (") - kCreate.size());
  const std::string insert = "insert into " + std::string(table) + " (";
  SqliteDb db;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    ASSERT_TRUE(i == 0 || line.starts_with(insert)) << "line " << i + 1 << ": " << line;
    ASSERT_TRUE(line.ends_with(");")) << "line " << i + 1 << ": " << line;
    ASSERT_EQ(line.find('\0'), std::string_view::npos) << "line " << i + 1 << " holds a NUL";
    ASSERT_EQ(db.run_script(std::string(line)), "") << "line " << i + 1 << ": " << line;
  }
}

void expect_clang_tidy_result(const RunResult& run) {
  const std::string built =
      std::string(kBanner) + "QZClangTidyVisualizer: Report has been built successfully\n";
  if (run.stdout_text == built) {
    EXPECT_TRUE(run.output.starts_with("\n<!DOCTYPE html>\n"));
    EXPECT_TRUE(run.output.ends_with("</html>\n"));
    return;
  }
  constexpr std::string_view kFailed =
      "QZClangTidyVisualizer: Getting clang-tidy analysis result was not successful\n";
  const std::string empty = std::string(kBanner) +
                            "QZClangTidyVisualizer: Report is empty, there are no messages\n" +
                            std::string(kFailed);
  const std::string none = std::string(kBanner) +
                           " QZClangTidyVisualizer: No clang-tidy messages were found\n" +
                           std::string(kFailed);
  EXPECT_TRUE(run.stdout_text == empty || run.stdout_text == none) << run.stdout_text;
  EXPECT_EQ(run.output, "");
}

struct WrongFormatCase {
  std::string input_kind;
  const Format* type;
};

void PrintTo(const WrongFormatCase& c, std::ostream* out) {
  *out << c.type->parser_type << " on " << c.input_kind;
}

class WrongFormat : public testing::TestWithParam<WrongFormatCase> {};

TEST_P(WrongFormat, EndsWellWithAWellFormedResult) {
  const Format& type = *GetParam().type;
  const RunResult run = run_program(type.parser_type, input_content(GetParam().input_kind));
  ASSERT_EQ(run.status, 0);
  if (type.output == OutputKind::kPage) {
    expect_clang_tidy_result(run);
    return;
  }
  EXPECT_TRUE(run.stdout_text == std::string(kBanner) + run.output)
      << "standard output is not the banner and the echo of the output file";
  if (type.output == OutputKind::kReport) {
    EXPECT_TRUE(run.output.starts_with("[totals]\n"));
  } else {
    expect_sql_script(run.output);
  }
}

std::vector<WrongFormatCase> wrong_format_cases() {
  std::vector<WrongFormatCase> cases;
  for (const std::string& kind : input_kinds()) {
    for (const Format& type : kFormats) cases.push_back({kind, &type});
  }
  return cases;
}

std::string case_name(const testing::TestParamInfo<WrongFormatCase>& info) {
  std::string name = std::string(info.param.type->parser_type) + "_on_";
  for (const char c : info.param.input_kind) {
    name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(EveryParserType, WrongFormat, testing::ValuesIn(wrong_format_cases()),
                         case_name);

}  // namespace
}  // namespace qz::test
