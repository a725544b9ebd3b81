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

// The output named as standard output, or standard output closed when the
// program starts (the output file then gets its descriptor): the file gets
// the script alone, and the banner and messages go to standard error.
TEST(Reliability, AnOutputThatIsStandardOutputGetsTheScriptAlone) {
  TempDir work;
  const std::string input = work.write("in.log", many_test_lines(20'000));
  ASSERT_EQ(run(input, work.file("expected.sql")).status, 0);
  const std::string expected = mask_timestamp(read_file(work.file("expected.sql")));
  const std::string got = work.file("got.sql");
  const std::string errors = work.file("errors.txt");
  const std::string to_errors = " 2> " + shell_quote(errors);
  const struct {
    const char* name;
    std::string output;
    std::string redirect;
    std::string_view messages;
  } cases[] = {
      {"truncating", "/dev/stdout", "> " + shell_quote(got) + to_errors, kBanner},
      {"appending", "/dev/stdout", ">> " + shell_quote(got) + to_errors, kBanner},
      {"closed", got, ">&-" + to_errors, ""},
  };
  for (const auto& c : cases) {
    fs::remove(got);
    const Result result =
        run_program(program(), run_arguments(input, c.output, "PassFail"), "", c.redirect);
    EXPECT_EQ(result.status, 0) << c.name;
    EXPECT_TRUE(mask_timestamp(read_file(got)) == expected) << c.name;
    if (!c.messages.empty()) {
      EXPECT_TRUE(read_file(errors) == c.messages) << c.name;
    }
  }
}

#ifdef __linux__
// A file system of its own, small enough to fill; removed with the test.
// Mounting needs root: elsewhere the test is skipped.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::string& path) : path_(path) {
    fs::create_directory(path_);
    mounted_ = run_shell("mount -t tmpfs -o size=256k tmpfs " + shell_quote(path_) +
                         " 2>/dev/null") == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) run_shell("umount " + shell_quote(path_));
  }
  bool mounted() const { return mounted_; }

 private:
  std::string path_;
  bool mounted_ = false;
};

// A full disk, or the size limit for files, half way through the script:
// status -3, and the output is left empty, never cut in a statement.
TEST(Reliability, AnOutputThatCannotBeWrittenWholeIsLeftEmpty) {
  TempDir work;
  SmallFileSystem small(work.file("small"));
  if (!small.mounted()) GTEST_SKIP() << "cannot mount a file system here";
  const std::string input = work.write("in.log", many_test_lines(20'000));
  const struct {
    const char* name;
    std::string output;
    std::string wrapper;
  } cases[] = {
      {"full disk", work.file("small/out.sql"), ""},
      {"file size limit", work.file("out.sql"), "ulimit -f 256;"},
  };
  for (const auto& c : cases) {
    const Result result = run(input, c.output, "PassFail", c.wrapper);
    EXPECT_EQ(result.status, 253) << c.name;
    EXPECT_EQ(result.stdout_text,
              std::string(kBanner) + "QZTestResult error: Could not write output file\n")
        << c.name;
    EXPECT_EQ(read_file(c.output), "") << c.name;
  }
}

// A temporary folder too full to collect the rows for --database: the
// conversion goes on, the script is written whole, and the run ends -6.
TEST(Reliability, AFullTemporaryFolderFailsTheImportButNotTheScript) {
  TempDir work;
  SmallFileSystem small(work.file("small"));
  if (!small.mounted()) GTEST_SKIP() << "cannot mount a file system here";
  const std::string input = work.write("in.log", many_test_lines(100'000));
  ASSERT_EQ(run(input, work.file("expected.sql")).status, 0);
  std::vector<std::string> arguments = run_arguments(input, work.file("out.sql"), "PassFail");
  arguments.push_back("--database=" + work.file("rows.db"));
  const std::string temporary = "SQLITE_TMPDIR=" + shell_quote(work.file("small")) + " ";
  const Result result = run_program(program(), arguments, temporary);
  EXPECT_EQ(result.status, 250);
  EXPECT_TRUE(result.stdout_text.ends_with(
      "QZTestResult error: Could not write database: database or disk is full\n"));
  EXPECT_TRUE(mask_timestamp(read_file(work.file("out.sql"))) ==
              mask_timestamp(read_file(work.file("expected.sql"))));
}
#endif

}  // namespace
}  // namespace qz::test
