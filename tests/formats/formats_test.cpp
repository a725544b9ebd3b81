// What holds for every format in the list.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/util.h"
#include "formats/formats.h"
#include "support/program.h"
#include "support/run_format.h"
#include "support/sqlite_db.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

TEST(FindFormat, KnowsExactlyTheElevenParserTypes) {
  EXPECT_EQ(kFormats.size(), 11u);
  for (const Format& format : kFormats) {
    EXPECT_EQ(find_format(format.parser_type), &format) << format.parser_type;
  }
  for (const char* type : {"", "qac", "QAC ", " QAC", "Map_keil", "Warning_", "ClangTid"}) {
    EXPECT_EQ(find_format(type), nullptr) << '"' << type << '"';
  }
}

// The bundled example of a parser type: its file name up to the first dot
// is the type.
std::string example_of(std::string_view parser_type) {
  for (const auto& entry : std::filesystem::directory_iterator(QZ_EXAMPLES)) {
    const std::string name = entry.path().filename().string();
    if (name.substr(0, name.find('.')) == parser_type) return test::read_file(entry.path());
  }
  ADD_FAILURE() << "no example for " << parser_type;
  return {};
}

// A Windows tool writing CR LF through a text-mode stream ends its lines in
// CR CR LF; the results must be those of plain line feeds.
TEST(EveryFormat, GivesTheSameResultsForLineEndsWithCarriageReturns) {
  for (const Format& format : kFormats) {
    const std::string lf = replace_all(example_of(format.parser_type), "\r\n", "\n");
    const test::FormatOutcome plain = test::run_format(format.parser_type, lf);
    const test::FormatOutcome doubled =
        test::run_format(format.parser_type, replace_all(lf, "\n", "\r\r\n") + "\r\r");
    EXPECT_NE(plain.output.find(format.output == OutputKind::kPage ? "<pre>" : "\n"),
              std::string::npos);
    EXPECT_EQ(test::mask_timestamp(doubled.output), test::mask_timestamp(plain.output))
        << format.parser_type;
    EXPECT_EQ(test::mask_timestamp(doubled.stdout_text), test::mask_timestamp(plain.stdout_text))
        << format.parser_type;
  }
}

// Scripts hold standard SQL texts in single quotes: they load the same
// whether the database takes double-quoted texts as strings or, as current
// SQLite shells do, only as names.
TEST(EveryFormat, ScriptsLoadAlikeWithAndWithoutDoubleQuotedStrings) {
  for (const Format& format : kFormats) {
    if (format.output != OutputKind::kSqlScript) continue;
    const std::string script =
        test::run_format(format.parser_type, example_of(format.parser_type)).output;
    constexpr std::size_t kTableName = std::string_view("create table if not exists ").size();
    const std::string table = script.substr(kTableName, script.find(" (") - kTableName);
    std::vector<std::vector<std::string>> rows;
    for (const auto mode : {test::SqliteDb::DoubleQuotedStrings::kRefused,
                            test::SqliteDb::DoubleQuotedStrings::kAccepted}) {
      test::SqliteDb db(mode);
      EXPECT_EQ(db.run_script(script), "") << format.parser_type;
      rows.push_back(db.query("select * from " + table + " order by rowid"));
    }
    EXPECT_FALSE(rows[0].empty()) << format.parser_type;
    EXPECT_EQ(rows[0], rows[1]) << format.parser_type;
  }
}

// Inputs of several of the line reader's trial windows (1 MiB each), with
// stretches that hold no needed text: run_format holds both ways of reading,
// and the one the input calls for, to the same results.
TEST(EveryFormat, GivesTheSameResultsWhicheverWayALongInputIsRead) {
  for (const Format& format : kFormats) {
    std::string noise;
    for (int i = 0; i < 100; ++i) noise += "Compiling module_" + std::to_string(i) + ".c\n";
    const std::string example = example_of(format.parser_type) + "\n";
    std::string input;
    while (input.size() < (std::size_t{3} << 20)) input += example + noise;
    EXPECT_TRUE(test::run_format(format.parser_type, input).ok) << format.parser_type;
  }
}

TEST(EveryFormat, QuotesSemicolonsCommentsAndHighBytesComeBackByteForByte) {
  const std::string message = "it's \"x\"; -- drop table t; \xe9\xff";
  const std::string script =
      test::run_format("Warning_KEIL", "../Src/a.c:1:2: warning: " + message + "\n").output;
  test::SqliteDb db;
  ASSERT_EQ(db.run_script(script), "");
  EXPECT_EQ(db.query("select error_id from compiler_results"), std::vector<std::string>{message});
}

// Lines (and clang-tidy messages) longer than the limit are skipped whole and
// counted; what is left reads as if they were not there.
TEST(EveryFormat, SkipsAndCountsLinesLongerThanTheLimit) {
  constexpr std::size_t kLimit = 1000;
  const std::string too_long(kLimit + 1, 'x');
  for (const Format& format : kFormats) {
    const std::string example = example_of(format.parser_type);
    RunSettings settings = test::sample_settings();
    settings.parser_type = std::string(format.parser_type);
    const test::FormatOutcome limited =
        test::run_format(settings, too_long + "\n" + example + "\n" + too_long, kLimit);
    const test::FormatOutcome clean = test::run_format(settings, example, kLimit);
    EXPECT_TRUE(limited.ok) << format.parser_type;
    EXPECT_EQ(limited.skipped_lines, clean.skipped_lines + 2) << format.parser_type;
    EXPECT_EQ(test::mask_timestamp(limited.output), test::mask_timestamp(clean.output))
        << format.parser_type;
  }
}

TEST(ClangTidy, DropsAndCountsAMessageJoinedBeyondTheLimit) {
  RunSettings settings = test::sample_settings();
  settings.parser_type = "ClangTidy";
  std::string input = "src/a.cpp:1:2: warning: kept [c]\nsrc/b.cpp:3:4: warning: long [c]\n";
  for (int i = 0; i < 20; ++i) input += std::string(90, 'y') + "\n";
  input += "src/c.cpp:5:6: warning: kept too [c]\n";
  const test::FormatOutcome outcome = test::run_format(settings, input, 1000);
  EXPECT_EQ(outcome.skipped_lines, 1u);
  EXPECT_NE(outcome.output.find("kept [c]"), std::string::npos);
  EXPECT_NE(outcome.output.find("kept too [c]"), std::string::npos);
  EXPECT_EQ(outcome.output.find("b.cpp"), std::string::npos);
}

}  // namespace
}  // namespace qz
