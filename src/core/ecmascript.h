#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>
#include <vector>

namespace qz {

// One piece of a pattern in the ECMAScript grammar. The translation for RE2
// and PCRE2 and the literal chain both start from these pieces, so that they
// cannot read a pattern apart.
struct PatternPiece {
  enum class Kind {
    kBytes,        // one byte of `bytes`: a literal, ".", a bracket expression or \d, \s, \w
    kRepeat,       // `min` to `max` of what comes before (a piece or a group)
    kGroupOpen,    // "(", "(?:", ... as `text` shows
    kGroupClose,   // ")"
    kAlternative,  // "|"
    kOther,        // "^", "$", \b, a back reference: passed on as written
  };
  static constexpr std::size_t kUnbounded = ~std::size_t{0};

  Kind kind = Kind::kOther;
  std::string_view text;  // as the pattern writes it
  std::bitset<256> bytes;
  std::size_t min = 1;
  std::size_t max = 1;
  std::size_t close = 0;  // of a kGroupOpen: the index of its kGroupClose
};

// The byte of a set that holds one.
inline std::size_t only_byte(const std::bitset<256>& bytes) {
  std::size_t byte = 0;
  while (!bytes[byte]) ++byte;
  return byte;
}

// The pieces of `ecmascript`. Patterns are part of the program, not its
// input: one that is not valid, or uses what is not supported here, aborts
// the program with a message.
std::vector<PatternPiece> parse_ecmascript(std::string_view ecmascript);

[[noreturn]] void fail_pattern(std::string_view ecmascript, std::string_view reason);

}  // namespace qz
