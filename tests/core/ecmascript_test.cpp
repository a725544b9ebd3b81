#include "core/ecmascript.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

// Patterns are part of the program: one that ECMAScript refuses, or that
// the reading does not know, stops the program at once rather than match
// something else.
TEST(ParseEcmascript, StopsAtWhatItCannotRead) {
  const std::pair<const char*, const char*> cases[] = {
      {"a(b", "unbalanced parentheses"},
      {"a)b", "unbalanced parentheses"},
      {"ab{2", "unterminated repetition"},
      {"*a", "a repetition of nothing"},
      {"[z-a]", "a range out of order"},
      {"[[:vowel:]]", "unknown class name"},
      {"[]a]", "empty bracket expressions"},
      {"\\q", "an escape that is not supported"},
      {"\\x4g", "hexadecimal digits"},
      {"a\\", "it ends too early"},
  };
  for (const auto& [pattern, reason] : cases) {
    EXPECT_DEATH(parse_ecmascript(pattern), reason) << pattern;
  }
}

// What the pieces mean, where the two engines and the chain rely on it.
TEST(ParseEcmascript, ReadsBytesRepetitionsAndGroups) {
  const std::vector<PatternPiece> pieces = parse_ecmascript("(?:a|\\x41)[^\\s\\d-]{2,}?\\b");
  ASSERT_EQ(pieces.size(), 8u);
  EXPECT_EQ(pieces[0].close, 4u);
  EXPECT_EQ(pieces[3].bytes, std::bitset<256>().set('A'));
  EXPECT_EQ(pieces[5].bytes.count(), 256u - 6 - 10 - 1);
  EXPECT_FALSE(pieces[5].bytes['-']);
  EXPECT_EQ(pieces[6].min, 2u);
  EXPECT_EQ(pieces[6].max, PatternPiece::kUnbounded);
  EXPECT_EQ(pieces[7].kind, PatternPiece::Kind::kOther);
}

}  // namespace
}  // namespace qz
