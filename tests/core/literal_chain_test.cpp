#include "core/literal_chain.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/pattern.h"
#include "support/regex_differential.h"

namespace qz {
namespace {

// Whether a line can still match is all the chain says; that it never
// rejects a matching line is checked with every pattern against std::regex
// (below, in every format's differential test and in the fuzz target).
TEST(LiteralChain, RejectsLinesThatLackALiteralInOrder) {
  const struct {
    const char* pattern;
    const char* line;
    bool may_match;
  } cases[] = {
      // Literal runs, in order, outside repetitions.
      {"abc.*", "abcdef", true},
      {"abc.*", "xabc", false},  // the pattern begins with it
      {".*abc", "xxabc", true},
      {".*abc", "abcx", false},  // ... or ends with it
      {"a.*b.*c", "a_b_c", true},
      {"a.*b.*c", "a_c_b", false},
      {"[[:space:]]+Test[[:punct:]]+", " Test:", true},
      {"[[:space:]]+Test[[:punct:]]+", " Tes:", false},
      // Groups of literal alternatives count; others are gaps.
      {".*(error|warning):.*", "x warning: y", true},
      {".*(error|warning):.*", "x remark: y", false},
      {".*(error|warning):.*", "x error y:", false},  // next to each other
      {".*(passed|failed)", "Test ...failed", true},
      {".*(passed|failed)", "Test ...passed (7 ms)", false},
      {"(a|b)+c", "xc", true},  // a repeated group is a gap
      {"(a.|b)c", "zzc", true},
      // Repeated literals: required once when at least one is needed.
      {"ab+c", "abbbc", true},
      {"ab+c", "ac", false},
      {"ab*c", "ac", true},
      {"ab{0,2}cd", "acd", true},
      {"ab{2}cd", "acd", false},
      {"x\\(?\\)?y", "xy", true},
      // Escapes: punctuation is literal, letters are classes.
      {"\\<tr\\>\\/", "<tr>/", true},
      {"\\s+x", "\tx", true},
      {"0x([0-9a-f]{8})", "0y12345678", false},
      // A pattern that ends in optional white space.
      {".*x:[[:space:]]*", "ax: \t", true},
      {".*x:[[:space:]]*", "ax: b", false},
      {".*x:\\s*", "ax:", true},
      {".*x:[[:space:]]*y*", "ax: yy", true},
      // Anchors and whole alternatives.
      {"^abc$", "abc", true},
      {"^abc$", "abcd", false},
      {"(abc)x|y", "y", true},
      {"", "", true},
      {"", "anything", false},
      // The classes next to each literal and at the line's ends.
      {"([0-9a-f]{8})\\+([0-9a-f]{2}) .*", "0000abcd+1f x", true},
      {"([0-9a-f]{8})\\+([0-9a-f]{2}) .*", "0000ABCD+1f x", false},
      {"([0-9a-f]{8})\\+([0-9a-f]{2}) .*", "Origin+Size x", false},
      {"(.*):([0-9]+):[[:space:]]+(error|warning):.*", "a.c:12: error: x", true},
      {"(.*):([0-9]+):[[:space:]]+(error|warning):.*", "a.c:12: fatal error: x", false},
      {"(.*\\.(cpp|c))[[:space:]]+\\(x", "a.cpp (x", true},
      {"(.*\\.(cpp|c))[[:space:]]+\\(x", "a.h (x", false},
      {"(.*\\.(cpp|c))[[:space:]]+\\(x", "a.c.h (x", false},
      {"[^a-c]x", "dx", true},
      {"[^a-c]x", "ax", false},
      {"[a\\-]+x", "a-x", true},
      {".*[[:punct:]]{1}x", "a!x", true},
      {".*[[:punct:]]{1}x", "a x", false},
      {".*y\\s*", "ay \t", true},
      {".*y\\s*", "ay z", false},
      {"a[0-9]*1b", "a11b", true},  // a run the next byte may continue
      // Alternatives of which one is a prefix of the other, or empty.
      {"a(b|bc)d.*", "abcd", true},
      {"cc(|ab)", "ccab", true},
      {"[0-9]+:ab(cpp|c)d.*", "12:abcppdX", true},
      {".*x(c|cd)(d|)y", "xcdy", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LiteralChain(c.pattern).may_match(c.line), c.may_match)
        << c.pattern << " on " << c.line;
  }
}

// Lines that match and random edits of them, over the pattern's own bytes:
// whatever std::regex matches, the chain lets through and holds a needed
// text. Alternatives that are prefixes of each other, or empty, stand in
// front of and behind literals, where a walk cannot tell where they end.
TEST(LiteralChain, NeverRejectsALineThePatternMatchesNorLacksItsNeededTexts) {
  const struct {
    std::string_view pattern;
    std::vector<std::string> seeds;
  } cases[] = {
      {"(.*):([0-9]+):[0-9]+:[[:space:]]+(error|warning):[[:space:]]+(.*)",
       {"a:1:2: error: b", "x:1:2:3:4:  warning:  :error: y"}},
      {"([0-9a]{2})\\+([0-9a]{1})[[:space:]]+(a* -> a*?|a*)[[:space:]]+(.*)",
       {"0a+a a -> a x", "a0+0  aa  b"}},
      {"(.*\\.(c|cc))[[:space:]]+\\(([0-9]+)\\)[[:punct:]]{1}(.*)", {"a.cc (1): x", "a.c.c (12)!"}},
      {"^\\s+(.*)\\s+0x([0-9a]{2})\\s+([a\\s]+)\\s+([0-9]+)\\s+([.a]+)\\((.*?)\\)(.*)",
       {" b 0x0a a a 1 .a(x)y", "  0x 0xaa  a  22 a.()"}},
      {"[[:space:]]+T[[:punct:]]+[[:space:]]+([a0-9_]+).*\\(?\\)?[[:space:]]+[[:punct:]]+(p|P)",
       {" T: a_1 () ..p", "\tT.. a x) .P"}},
      {"\"(.*)\",[[:space:]]+l[[:space:]]+([0-9]+):[[:space:]]+(e|w)[[:space:]]+(.*):[[:space:]]*",
       {"\"a\", l 1: e x:", "\"\", l 12: w a: b: \t"}},
      {"a[0-9]*1?[0-9]{1,2}b(c|cd)(d|)e*", {"a1bc", "a0011bcdde", "a12bcee"}},
      {"ab(c|cpp)x(|y)[0-9]*", {"abcx", "abcppxy1", "abcppx"}},
      {"(|ab)cc(d|dd):(e|)", {"ccd:", "abccdd:e", "ccdd:"}},
      {"[0-9]+:(c|cpp)(h|)q.*(|z)", {"1:cq", "12:cpphqz", "3:chq"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    const std::string alphabet = std::string(c.pattern) + " \t\r";
    test::expect_same_as_ecmascript(Pattern(c.pattern), c.pattern,
                                    test::with_random_edits(c.seeds, alphabet, 20'000));
  }
}

}  // namespace
}  // namespace qz
