#include "core/pattern.h"

#include <gtest/gtest.h>

#include "support/regex_differential.h"

namespace qz {
namespace {

// Byte sets are written out as ranges (most bytes as those left out), so
// that both engines read "." and the classes as ECMAScript does; everything
// else passes as written.
TEST(TranslateEcmascript, WritesByteSetsOutAndTheRestAsWritten) {
  const std::pair<std::string, std::string> cases[] = {
      {"a.b", "a[^\\x0a\\x0d]b"},
      {"[[:space:]]\\S", "[\\x09-\\x0d\\x20][^\\x09-\\x0d\\x20]"},
      {"[a-c\\-]\\(", "[\\x2da-c]\\x28"},
      {"(?:ab|c){2,}?(x)*$", "(?:ab|c){2,}?(x)*$"},
  };

  for (const auto& [ecmascript, re2] : cases) EXPECT_EQ(translate_ecmascript(ecmascript), re2);
}

TEST(Pattern, MatchesWholeLinesOnlyAndReportsGroups) {
  const Pattern pattern("(a+)(b)?");
  std::string_view groups[2];
  EXPECT_TRUE(pattern.match("aa", groups));
  EXPECT_EQ(groups[0], "aa");
  EXPECT_EQ(groups[1].data(), nullptr);  // took no part
  EXPECT_FALSE(pattern.match("aac", groups));
  EXPECT_FALSE(pattern.matches("caa"));
  EXPECT_TRUE(pattern.matches("ab"));
  EXPECT_EQ(pattern.group_count(), 2);
}

// The dialect differences and matching rules the importers rely on, checked
// against std::regex on lines that probe them.
TEST(Pattern, AgreesWithEcmascriptOnTheRulesImportersRelyOn) {
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"a.*b",
       {"ab", "a\rb",
        "a\xe9\xff"
        "b",
        "a\nb", "a\tb"}},
      {"\\s+x", {" x", "\vx", "\fx", "\rx", "\tx", "\xa0x", "\x85x"}},
      {"[a-z\\s]+",
       {"a b", "a\vb",
        "a\xa0"
        "b"}},
      {"[[:space:]]+", {" ", "\v", "\xa0", "\r\n"}},
      {"[[:punct:]]+", {"!_~", "\xa7", "a", "{}"}},
      {"(a|ab)(c|bcd)(d*)", {"abcd", "abcdd", "acd"}},
      {"(.*)-(.*?)x(.*)", {"a-b-cxdx", "--x", "a-x-x"}},
      {"([a-z]* -> [a-z]*?|[a-z]*) (.*)", {"a -> b c", "a  -> b c", " c", "a -> b  c"}},
      {"(.*\\.[cpp|c]) (.*)", {"a.c x", "a.cpp x", "a.p x", "a.| x"}},
      {"ab+c(d*)ef?g{2}h$",
       {"abcefggh", "abbbcddeggh", "acefggh", "abcefgh", "abcef", "abcdeffggh"}},
      {"x\\+y[[:space:]]+Test(.*)", {"x+y Test", "x+y  Testing", "x+yTest", "xy Test"}},
  };
  for (const auto& [ecmascript, lines] : cases) {
    test::expect_same_as_ecmascript(Pattern(ecmascript), ecmascript, test::with_mutations(lines));
  }
}

// A brace without its closing brace is no pattern; it used to hang the
// literal scan.
TEST(Pattern, RejectsAnUnterminatedRepetition) {
  EXPECT_DEATH(Pattern("ab{2"), "unterminated repetition");
  EXPECT_DEATH(Pattern("(a){1,"), "unterminated repetition");
}

TEST(Pattern, HandlesVeryLongLines) {
  const Pattern pattern("(.*)x([0-9]+)");
  std::string line(10'000'000, 'a');
  std::string_view groups[2];
  EXPECT_FALSE(pattern.match(line, groups));
  line += "x42";
  ASSERT_TRUE(pattern.match(line, groups));
  EXPECT_EQ(groups[0].size(), 10'000'000u);
  EXPECT_EQ(groups[1], "42");
}

}  // namespace
}  // namespace qz
