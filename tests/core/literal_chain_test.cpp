#include "core/literal_chain.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

// Whether a line can still match is all the chain says; that it never
// rejects a matching line is checked with every pattern against std::regex
// (the differential tests and the fuzz target).
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
      {".*(error|warning):.*", "x error y:", true},  // adjacency is not checked
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
      {"", "anything", true},
      {"a{2", "ab", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LiteralChain(c.pattern).may_match(c.line), c.may_match)
        << c.pattern << " on " << c.line;
  }
}

}  // namespace
}  // namespace qz
