// The two clang-tidy patterns run on RE2; these tests prove that they accept
// and capture exactly what the ECMAScript originals do.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "clangtidy/join_message_lines.h"
#include "clangtidy/parse_tidy_message.h"
#include "clangtidy/split_tidy_message.h"
#include "support/regex_differential.h"

namespace qz {
namespace {

constexpr std::string_view kStartText =
    R"(.*\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+.*)";
constexpr std::string_view kMessageText =
    R"((.*\.(cpp|c|h))\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+(.*)\[(.*)\](.*))";

const std::vector<std::string> kSeeds = {
    "src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]",
    "    int *p = 0;",
    "             ^",
    "src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]     int *p = 0;              ^",
    "src/a.cpp:7:3: warning: do not use array subscript [x-y]     a[i] = 0;     ^",
    "include/x.hpp:1:1: warning: header [llvm-header-guard]",
    "include/x.h:1:1: warning: header [llvm-header-guard]",
    "12 warnings generated.",
    "src/b.cpp:3:1: error: unknown type name 'foo' [clang-diagnostic-error]",
    "src/a.c:20:9: note: expanded from macro 'MAX'",
    "C:\\work\\src\\main.cpp:0012:000: warning:\tshadowed [bugprone-x] tail [y] end",
    "a.cpp.h:1:2:  warning:  x [a] b [c] d",
    "a.c.cpp:1:2: warning: x [] y",
    "src/x.cpp:99999999999:1: warning: huge [a]",
    "src/x.cpp:1:2: fatal error: file not found [clang-diagnostic-error]",
    "src/x.CPP:1:2: warning: upper case [a]",
    "src/x.cpp:1:2: warning: no brackets here",
    "src/x.cpp:1:2: warning: ] reversed [",
    "src/x.cpp:1:2:warning: no blank [a]",
    "src/x.cpp::2: warning: no line [a]",
};

TEST(TidyPatterns, StartPatternAgreesWithEcmascript) {
  test::expect_same_as_ecmascript(tidy_start_pattern(), kStartText, test::with_mutations(kSeeds));
}

TEST(TidyPatterns, MessagePatternAgreesWithEcmascript) {
  test::expect_same_as_ecmascript(tidy_message_pattern(), kMessageText,
                                  test::with_mutations(kSeeds));
}

// Message-like texts whose pieces are randomly bent: other extensions and
// separators, extra dots, colons, digits, brackets and line breaks, so that
// the greedy choices of the pattern land in many different places.
std::vector<std::string> random_message_texts(std::size_t count) {
  std::mt19937 random(20221130);
  auto one_of = [&](std::initializer_list<std::string_view> choices) {
    return std::string(choices.begin()[random() % choices.size()]);
  };
  auto piece = [&](std::initializer_list<std::string_view> choices) {
    return random() % 6 == 0 ? one_of({"", ".", ":", "1", " ", "\r", "[", "]", "x.c", ":2:", "\n"})
                             : one_of(choices);
  };
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < count; ++i) {
    std::string text = piece({"src/a", "a.b/c", "C:\\x\\y", "", "a.c:1:2: note: n [x] b"});
    text += piece({".cpp", ".c", ".h", ".hpp", ".cpp.c", ".c.h"});
    text += piece({":"}) + piece({"12", "0", "007"}) + piece({":"}) + piece({"5", "99"});
    text += piece({":"}) + piece({" ", "\t", "  ", "\v"});
    text += piece({"warning", "error", "note"}) + piece({":"}) + piece({" ", "\f ", "\r"});
    text += piece({"use nullptr ", "a[i] ", "x.c:3:4: error: y ", ""});
    text += piece({"[", "[["}) + piece({"check", "a]b", "", "c[d"}) + piece({"]", "]]"});
    text += piece({"", " int *p = 0;", " a[i] = 0;  ^", "]"});
    texts.push_back(std::move(text));
  }
  return texts;
}

TEST(TidyPatterns, ScanningFindsTheGroupsThatEcmascriptCaptures) {
  const std::regex reference{std::string(kMessageText), std::regex::ECMAScript};
  std::vector<std::string> texts = test::with_mutations(kSeeds);
  const std::vector<std::string> random_texts = random_message_texts(20000);
  texts.insert(texts.end(), random_texts.begin(), random_texts.end());
  std::size_t matched = 0;
  for (const std::string& text : texts) {
    std::smatch expected;
    const bool expected_match = std::regex_match(text, expected, reference);
    TidyMessageGroups groups;
    ASSERT_EQ(split_tidy_message(text, groups), expected_match) << text;
    if (!expected_match) continue;
    ++matched;
    for (std::size_t i = 0; i < groups.size(); ++i) {
      ASSERT_EQ(groups[i], expected[i + 1].str()) << "group " << i + 1 << " of " << text;
    }
  }
  EXPECT_GT(matched, texts.size() / 5) << "too few texts match to prove much";
}

TEST(TidyPatterns, StartTestAgreesWithEcmascript) {
  const std::regex reference{std::string(kStartText), std::regex::ECMAScript};
  std::vector<std::string> lines = test::with_mutations(kSeeds);
  const std::vector<std::string> random_lines = random_message_texts(5000);
  lines.insert(lines.end(), random_lines.begin(), random_lines.end());
  for (const std::string& line : lines) {
    EXPECT_EQ(starts_tidy_message(line), std::regex_match(line, reference)) << line;
  }
}

}  // namespace
}  // namespace qz
