// The real program under conditions a build machine or a careless caller can
// create: the input named again as the output, FIFOs, unreadable inputs,
// endless lines, a console pipe closed early and too little memory. Each
// run must end with its documented status, never hang, and never lose the
// input or leave a half-written script.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/program.h"
#include "support/temp_dir.h"

namespace qz::test {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTestLine = "  Test: mode_starts_in_init() .......passed\n";

using Result = ProgramResult;

// The program under test: this build, or another one named in QZ_E2E_PROGRAM.
std::string program() {
  const char* other = std::getenv("QZ_E2E_PROGRAM");
  return other != nullptr ? other : QZ_PROGRAM;
}

Result run(const std::string& input, const std::string& output,
           std::string_view parser_type = "PassFail", const std::string& wrapper = "",
           const std::string& redirect = "") {
  return run_program(program(), run_arguments(input, output, parser_type), wrapper, redirect);
}

std::string many_test_lines(std::size_t count) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) text += kTestLine;
  return text;
}

TEST(Reliability, RefusesAnOutputThatIsTheInputUnderAnyName) {
  const std::string log = many_test_lines(3);
  struct Spelling {
    const char* name;
    std::string (*output)(const TempDir& work, const std::string& input);
  };
  const Spelling spellings[] = {
      {"same path", [](const TempDir&, const std::string& input) { return input; }},
      {"dot", [](const TempDir& work, const std::string&) { return work.file(".") + "/in.log"; }},
      {"parent",
       [](const TempDir& work, const std::string&) { return work.file("sub/../in.log"); }},
      {"symbolic link",
       [](const TempDir& work, const std::string& input) {
         fs::create_symlink(input, work.file("link.log"));
         return work.file("link.log");
       }},
      {"hard link",
       [](const TempDir& work, const std::string& input) {
         fs::create_hard_link(input, work.file("hard.log"));
         return work.file("hard.log");
       }},
  };
  for (const Spelling& spelling : spellings) {
    for (const std::string_view parser_type : {"PassFail", "ClangTidy"}) {
      TempDir work;
      fs::create_directory(work.file("sub"));
      const std::string input = work.write("in.log", log);
      const Result result = run(input, spelling.output(work, input), parser_type);
      EXPECT_EQ(result.status, 253) << spelling.name;
      EXPECT_EQ(result.stdout_text,
                std::string(kBanner) + "QZTestResult error: Input and output are the same file\n")
          << spelling.name;
      EXPECT_EQ(read_file(input), log) << spelling.name << ": the input was changed";
    }
  }
}

TEST(Reliability, FifosAsInputAndOutputDeliverTheWholeResult) {
  TempDir work;
  const std::string log = many_test_lines(20'000);
  const std::string file_input = work.write("in.log", log);
  const Result expected = run(file_input, work.file("expected.sql"));
  ASSERT_EQ(expected.status, 0);
  const std::string script = mask_timestamp(read_file(work.file("expected.sql")));

  for (int round = 0; round < 3; ++round) {
    const std::string in_fifo = work.file("in.fifo");
    const std::string out_fifo = work.file("out.fifo");
    ASSERT_EQ(mkfifo(in_fifo.c_str(), 0600), 0);
    ASSERT_EQ(mkfifo(out_fifo.c_str(), 0600), 0);
    const std::string got = work.file("got.sql");
    // A writer into the input FIFO and a reader of the output FIFO run beside
    // the program; all three must finish.
    const Result result =
        run(in_fifo, out_fifo, "PassFail",
            "timeout 60 cat " + shell_quote(file_input) + " > " + shell_quote(in_fifo) +
                " & timeout 60 cat " + shell_quote(out_fifo) + " > " + shell_quote(got) + " & ");
    EXPECT_EQ(result.status, 0) << "round " << round;
    EXPECT_TRUE(mask_timestamp(read_file(got)) == script) << "round " << round;
    EXPECT_TRUE(mask_timestamp(result.stdout_text) == std::string(kBanner) + script)
        << "round " << round;
    fs::remove(in_fifo);
    fs::remove(out_fifo);
  }
}

#ifdef __linux__
TEST(Reliability, AnInputThatCannotBeReadIsAnErrorAndLeavesTheOutputEmpty) {
  TempDir work;
  const std::string output = work.write("out.sql", "an earlier script\n");
  // Reading a process's memory from offset 0 fails: nothing is mapped there.
  const Result result = run("/proc/self/mem", output);
  EXPECT_EQ(result.status, 254);
  EXPECT_EQ(result.stdout_text,
            std::string(kBanner) + "QZTestResult error: Could not read input file\n");
  EXPECT_EQ(read_file(output), "");
}
#endif

// A sparse file: a line of NUL bytes longer than any line the program takes,
// without using the disk.
std::string with_endless_line(const TempDir& work, const std::string& lines,
                              std::size_t line_bytes) {
  const std::string path = work.write("big.log", lines);
  fs::resize_file(path, lines.size() + line_bytes);
  std::ofstream(path, std::ios::app | std::ios::binary) << "\n" << kTestLine;
  return path;
}

TEST(Reliability, ALineBeyondTheLimitIsSkippedCountedAndNamed) {
  TempDir work;
  const std::string input = with_endless_line(work, std::string(kTestLine), 300u << 20);
  const Result result = run(input, work.file("out.sql"));
  EXPECT_EQ(result.status, 0);
  const std::string script = read_file(work.file("out.sql"));
  EXPECT_EQ(std::count(script.begin(), script.end(), '\n'), 3) << "CREATE and two rows";
  EXPECT_EQ(result.stdout_text,
            std::string(kBanner) + script +
                "QZTestResult note: 1 lines longer than 268435456 bytes were skipped\n");
}

#ifndef QZ_SANITIZED
TEST(Reliability, RunningOutOfMemoryEndsWithAMessageAndAnEmptyOutput) {
  TempDir work;
  // More than one output block of rows is written before the long line
  // needs more memory than the limit leaves.
  const std::string input = with_endless_line(work, many_test_lines(50'000), 200u << 20);
  const std::string output = work.file("out.sql");
  const Result result = run(input, output, "PassFail", "ulimit -v 150000;");
  EXPECT_EQ(result.status, 251);
  EXPECT_EQ(result.stdout_text, std::string(kBanner) + "QZTestResult error: Out of memory\n");
  EXPECT_EQ(read_file(output), "") << "a half-written script was left";
}
#endif

TEST(Reliability, AConsolePipeClosedEarlyChangesNothing) {
  TempDir work;
  const std::string input = work.write("in.log", many_test_lines(100'000));
  ASSERT_EQ(run(input, work.file("expected.sql")).status, 0);
  // The reader goes away at once; the echo of several megabytes meets a
  // closed pipe.
  const Result result =
      run(input, work.file("out.sql"), "PassFail", "", "| true; exit ${PIPESTATUS[0]}");
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(mask_timestamp(read_file(work.file("out.sql"))) ==
              mask_timestamp(read_file(work.file("expected.sql"))));
}

}  // namespace
}  // namespace qz::test
