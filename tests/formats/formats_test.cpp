// What holds for every format in the list.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/util.h"
#include "formats/formats.h"
#include "support/program.h"
#include "support/run_format.h"
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
