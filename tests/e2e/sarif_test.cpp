// The real program with --sarif=FILE: each parser type with findings gives a
// log that the SARIF 2.1.0 schema accepts (checked with npm's ajv, which
// scripts/install-deps.sh installs), with the results of its example; odd
// file names give valid URIs; refusals and write failures leave no half
// written file.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "core/text_encoding.h"
#include "support/program.h"
#include "support/temp_dir.h"

namespace qz::test {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTypesWithFindings[] = {"Warning", "Warning_KEIL",    "Warning_Tricore",
                                                   "QAC",     "QAC_full_report", "ClangTidy"};

std::vector<std::string> with_sarif(std::vector<std::string> arguments, const std::string& sarif) {
  arguments.push_back("--sarif=" + sarif);
  return arguments;
}

// Empty when every file is a valid SARIF 2.1.0 log in UTF-8, else why not.
std::string schema_errors(const std::vector<std::string>& files) {
  std::string errors;
  std::string command = "node " + shell_quote(QZ_SARIF_VALIDATOR);
  for (const std::string& file : files) {
    // The validator's reading would replace invalid bytes silently.
    if (!is_valid_utf8(read_file(file))) errors += file + ": not UTF-8\n";
    command += " " + shell_quote(file);
  }
  const TempDir work;
  if (run_shell(command + " > " + shell_quote(work.file("errors")) + " 2>&1") != 0) {
    errors += read_file(work.file("errors"));
    if (errors.empty()) errors = "the validator failed; did scripts/install-deps.sh run?";
  }
  return errors;
}

std::string masked_log(const std::string& path) {
  static const std::regex timestamp(R"("timestamp": "\d{4}-\d{2}-\d{2}T\d{2}:\d{2}:\d{2}")");
  return std::regex_replace(read_file(path), timestamp, R"("timestamp": "<date>T<time>")");
}

TEST(Sarif, EveryExampleGivesAValidLogWithItsResults) {
  TempDir work;
  std::vector<std::string> logs;
  for (const std::string_view type : kTypesWithFindings) {
    SCOPED_TRACE(type);
    const std::string log = work.file(std::string(type) + ".sarif");
    const auto arguments =
        with_sarif(run_arguments(example_path(QZ_EXAMPLES, type), work.file("out"), type), log);
    ASSERT_EQ(run_program(QZ_PROGRAM, arguments).status, 0);
    // The report lists the findings that the script counts.
    const std::string expected = type == "QAC_full_report" ? "QAC" : std::string(type);
    EXPECT_EQ(masked_log(log), read_file(fs::path(QZ_SARIF_EXPECTED) / (expected + ".sarif")));
    logs.push_back(log);
  }
  EXPECT_EQ(schema_errors(logs), "");
}

TEST(Sarif, AnInputWithoutFindingsGivesAValidLogWithNoResults) {
  TempDir work;
  const std::string input = work.write("empty.log", "nothing to see\n");
  std::vector<std::string> logs;
  for (const std::string_view type : kTypesWithFindings) {
    const std::string log = work.file(std::string(type) + ".sarif");
    ASSERT_EQ(run_program(QZ_PROGRAM, with_sarif(run_arguments(input, work.file("out"), type), log))
                  .status,
              0)
        << type;
    EXPECT_NE(read_file(log).find("\"results\": [\n      ],"), std::string::npos) << type;
    logs.push_back(log);
  }
  EXPECT_EQ(schema_errors(logs), "");
}

TEST(Sarif, OddFileNamesGiveValidUris) {
  const struct {
    std::string_view name;
    std::string_view uri;
  } cases[] = {
      {"my dir/a b.c", R"("my%20dir/a%20b.c", "uriBaseId": "SRCROOT")"},
      {"..\\lib\\x.c", R"("../lib/x.c", "uriBaseId": "SRCROOT")"},
      {"C:\\Users\\J\xf6rg\\x.c", R"("file:///C:/Users/J%C3%B6rg/x.c")"},  // windows-1252
      {"D:/ws/\xc3\xa9t\xc3\xa9/y.c", R"("file:///D:/ws/%C3%A9t%C3%A9/y.c")"},
      {"/home/ci/100%/#z.c", R"("file:///home/ci/100%25/%23z.c")"},
  };
  std::string input;
  for (const auto& c : cases) input += std::string(c.name) + ":7:1: warning: \x93x\x94 unused\n";
  TempDir work;
  const std::string log = work.file("odd.sarif");
  ASSERT_EQ(run_program(QZ_PROGRAM, with_sarif(run_arguments(work.write("in.log", input),
                                                             work.file("out.sql"), "Warning_KEIL"),
                                               log))
                .status,
            0);
  const std::string text = read_file(log);
  for (const auto& c : cases) {
    EXPECT_NE(text.find(R"("uri": )" + std::string(c.uri) + "}"), std::string::npos) << c.uri;
  }
  EXPECT_NE(text.find("\xe2\x80\x9cx\xe2\x80\x9d unused"), std::string::npos);
  EXPECT_EQ(schema_errors({log}), "");
}

TEST(Sarif, IsRefusedBeforeAnyFileIsCreated) {
  TempDir work;
  const std::string input = work.write("in.log", "a.c:1:1: warning: w\n");
  const std::string output = work.file("out.sql");
  const std::string database = work.file("a.db");
  const struct {
    std::string_view parser_type;
    std::string argument;
    std::string reason;
  } cases[] = {
      {"Warning_KEIL", "--sarif", "no SARIF file is named (--sarif=FILE)"},
      {"Warning_KEIL", "--sarif=", "no SARIF file is named (--sarif=FILE)"},
      {"Map", "--sarif=" + work.file("a.sarif"), "the parser type Map has no findings"},
      {"Warning_KEIL", "--sarif=" + input, "it is the input file"},
      {"Warning_KEIL", "--sarif=" + work.path().string() + "/./out.sql", "it is the output file"},
      {"Warning_KEIL", "--sarif=" + database, "it is the database file"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = run_arguments(input, output, c.parser_type);
    arguments.push_back(c.argument);
    arguments.push_back("--database=" + database);
    const ProgramResult result = run_program(QZ_PROGRAM, arguments);
    EXPECT_EQ(result.status, 255) << c.argument;
    EXPECT_TRUE(result.stdout_text.ends_with(
        "QZTestResult error: Option --sarif is refused: " + c.reason + "\n"))
        << result.stdout_text;
    EXPECT_EQ(read_file(input), "a.c:1:1: warning: w\n");
    for (const std::string& file : {output, database, work.file("a.sarif")}) {
      EXPECT_FALSE(fs::exists(file)) << c.argument << ": " << file << " was created";
    }
  }
}

// Standard output as the log: it gets the log alone, as it would the
// script; the banner goes to standard error and the echo is left out.
TEST(Sarif, ALogThatIsStandardOutputGetsTheLogAlone) {
  TempDir work;
  std::string lines;
  for (int i = 0; i < 20'000; ++i) lines += "src/a" + std::to_string(i) + ".c:1:1: warning: w\n";
  const std::string input = work.write("in.log", lines);
  const auto arguments = [&](const std::string& sarif) {
    return with_sarif(run_arguments(input, work.file("out.sql"), "Warning_KEIL"), sarif);
  };
  const std::string expected = work.file("expected.sarif");
  ASSERT_EQ(run_program(QZ_PROGRAM, arguments(expected)).status, 0);
  const std::string got = work.file("got.sarif");
  const std::string errors = work.file("errors.txt");
  const ProgramResult result = run_program(QZ_PROGRAM, arguments("/dev/stdout"), "",
                                           "> " + shell_quote(got) + " 2> " + shell_quote(errors));
  EXPECT_EQ(result.status, 0);
  EXPECT_TRUE(masked_log(got) == masked_log(expected));
  EXPECT_TRUE(read_file(errors).starts_with("QZTestResult"));
}

TEST(Sarif, AFailedWriteOfEitherFileEmptiesTheOther) {
  TempDir work;
  const std::string input = work.write("in.log", "a.c:1:1: warning: w\n");
  const struct {
    std::string output;
    std::string sarif;
    std::string emptied;
    std::string message;
  } cases[] = {
      {work.file("out.sql"), "/dev/full", work.file("out.sql"), "Could not write SARIF file"},
      {"/dev/full", work.file("a.sarif"), work.file("a.sarif"), "Could not write output file"},
  };
  for (const auto& c : cases) {
    const ProgramResult result = run_program(
        QZ_PROGRAM, with_sarif(run_arguments(input, c.output, "Warning_KEIL"), c.sarif));
    EXPECT_EQ(result.status, 253) << c.message;
    EXPECT_TRUE(result.stdout_text.ends_with("QZTestResult error: " + c.message + "\n"))
        << result.stdout_text;
    EXPECT_TRUE(fs::exists(c.emptied) && fs::is_empty(c.emptied)) << c.emptied;
  }
}

}  // namespace
}  // namespace qz::test
