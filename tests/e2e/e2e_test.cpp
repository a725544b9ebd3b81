// Runs the real program on every case directory below e2e/cases and compares
// the whole output file, standard output and exit status; three times, with
// the line reader passing over lines, cutting every line (QZ_FAST_PATH), and
// as the input calls for.
//
// A case directory holds:
//   args             one argument per line (the program path is added); "{case}"
//                    stands for the case directory, "{out}" for the output path
//   expected_stdout  standard output
//   expected_output  the output file's content (absent: the file must not exist)
//   expected_status  the exit status, 0 when absent
//   existing_output  optional: placed at the output path before the run
//   sqlite_query     optional: run after loading the output script twice into
//   sqlite_rows      SQLite; its rows ("|"-joined, one a line) must equal these
//   database_query   optional: run on the database "{out}.db" that the case's
//   database_rows    --database option named; its rows must equal these
//   windows_only     optional, empty: the case runs in the Windows mode only
// In both outputs the run's quoted date and time are masked as "<date>", "<time>".
//
// QZ_E2E_LAUNCHER (for instance an emulator) and QZ_E2E_PROGRAM override how
// the program is started. QZ_E2E_WINDOWS=1 checks the Windows build run
// through Wine against the same files: {case} and {out} are passed as Windows
// paths on Wine's drive Z:, every line end of expected_stdout, expected_output
// and existing_output is CR LF (text mode), and the banner names the program
// file, as the version resource does. QZ_E2E_CRLF_INPUT=1 runs every case on
// a copy of its directory in which each line feed of the input files (all but
// the files above) is preceded by a carriage return: the results must be the
// same.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/util.h"
#include "support/program.h"
#include "support/sqlite_db.h"
#include "support/temp_dir.h"

namespace qz::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> case_names() {
  std::vector<std::string> names;
  const fs::path root = QZ_E2E_CASES;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file() && entry.path().filename() == "args") {
      names.push_back(fs::relative(entry.path().parent_path(), root).generic_string());
    }
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string env_or(const char* name, std::string fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::string(value) : fallback;
}

bool windows_mode() { return env_or("QZ_E2E_WINDOWS", "") == "1"; }

// Wine maps the Unix root directory to drive Z:.
std::string as_windows_path(std::string path) {
  if (!windows_mode()) return path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return "Z:" + path;
}

// A case file as the program under test writes it.
std::string expected_text(const fs::path& file) {
  std::string text = read_file(file);
  if (!windows_mode()) return text;
  return replace_all(text, "\n", "\r\n");
}

// The Windows banner names the program file, as its version resource does.
std::string expected_stdout(const fs::path& file) {
  std::string text = expected_text(file);
  const std::string_view banner = "QZTestResult version ";
  if (windows_mode() && text.starts_with(banner)) {
    text.replace(0, banner.size(), "QZTestResult.exe version ");
  }
  return text;
}

bool is_case_control_file(const fs::path& file) {
  static constexpr std::array<std::string_view, 10> kNames{
      "args",         "expected_stdout", "expected_output", "expected_status", "existing_output",
      "sqlite_query", "sqlite_rows",     "database_query",  "database_rows",   "windows_only"};
  return std::find(kNames.begin(), kNames.end(), file.filename().string()) != kNames.end();
}

// Turns line feeds into CR LF; a CR LF already there stays as it is.
std::string with_crlf_line_ends(const std::string& text) {
  std::string converted;
  converted.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) converted += '\r';
    converted += text[i];
  }
  return converted;
}

// The directory that {case} names: the case itself, or its copy with CR LF
// input files.
fs::path input_directory(const fs::path& case_dir, const TempDir& work) {
  if (env_or("QZ_E2E_CRLF_INPUT", "") != "1") return case_dir;
  const fs::path copy = work.path() / "case";
  fs::copy(case_dir, copy, fs::copy_options::recursive);
  for (const auto& entry : fs::recursive_directory_iterator(copy)) {
    if (!entry.is_regular_file() || is_case_control_file(entry.path())) continue;
    const std::string converted = with_crlf_line_ends(read_file(entry.path()));
    std::ofstream(entry.path(), std::ios::binary | std::ios::trunc) << converted;
  }
  return copy;
}

// Runs one case with the line reader's way forced by QZ_FAST_PATH (an
// internal setting; empty: the way the input calls for).
void run_case(const fs::path& case_dir, std::string_view way) {
  TempDir work;
  const std::string output_path = work.file("output");
  const std::string stdout_path = work.file("stdout");
  if (fs::exists(case_dir / "existing_output")) {
    work.write("output", expected_text(case_dir / "existing_output"));
  }
  const fs::path input_dir = input_directory(case_dir, work);

  std::string command = way.empty() ? "" : "QZ_FAST_PATH=" + std::string(way) + " ";
  command += env_or("QZ_E2E_LAUNCHER", "");
  command += " " + shell_quote(env_or("QZ_E2E_PROGRAM", QZ_PROGRAM));
  for (std::string arg : split_lines(read_file(case_dir / "args"))) {
    arg = replace_all(arg, "{case}", as_windows_path(input_dir.string()));
    arg = replace_all(arg, "{out}", as_windows_path(output_path));
    command += " " + shell_quote(arg);
  }
  command += " > " + shell_quote(stdout_path) + " 2>/dev/null";
  const int status = run_shell(command);

  int expected_status = 0;
  if (fs::exists(case_dir / "expected_status")) {
    expected_status = std::stoi(read_file(case_dir / "expected_status")) & 0xff;
  }
  EXPECT_EQ(status, expected_status) << command;
  EXPECT_EQ(mask_timestamp(read_file(stdout_path)), expected_stdout(case_dir / "expected_stdout"));
  if (!fs::exists(case_dir / "expected_output")) {
    EXPECT_FALSE(fs::exists(output_path)) << "no output file was expected";
    return;
  }
  const std::string output = read_file(output_path);
  EXPECT_EQ(mask_timestamp(output), expected_text(case_dir / "expected_output"));

  if (fs::exists(case_dir / "database_query")) {
    SqliteDb db(output_path + ".db");
    std::string rows;
    for (const std::string& row : db.query(read_file(case_dir / "database_query"))) {
      rows += row + "\n";
    }
    EXPECT_EQ(rows, read_file(case_dir / "database_rows"));
  }
  if (fs::exists(case_dir / "sqlite_query")) {
    SqliteDb db;
    ASSERT_EQ(db.run_script(output), "");
    ASSERT_EQ(db.run_script(output), "") << "a second import of the same script";
    std::string rows;
    for (const std::string& row : db.query(read_file(case_dir / "sqlite_query"))) {
      rows += row + "\n";
    }
    EXPECT_EQ(rows, read_file(case_dir / "sqlite_rows"));
  }
}

class EndToEnd : public testing::TestWithParam<std::string> {};

// Every way of reading must give the expected files.
TEST_P(EndToEnd, MatchesExpectedFiles) {
  const fs::path case_dir = fs::path(QZ_E2E_CASES) / GetParam();
  if (fs::exists(case_dir / "windows_only") && !windows_mode()) {
    GTEST_SKIP() << "runs against the Windows build only";
  }
  for (const std::string_view way : {"", "pass-over", "every-line"}) {
    SCOPED_TRACE(way);
    run_case(case_dir, way);
  }
}

std::string test_name(const testing::TestParamInfo<std::string>& info) {
  std::string name;
  for (char c : info.param) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, EndToEnd, testing::ValuesIn(case_names()), test_name);

}  // namespace
}  // namespace qz::test
