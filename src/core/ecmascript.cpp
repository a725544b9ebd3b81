#include "core/ecmascript.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/char_class.h"

namespace qz {
namespace {

using Kind = PatternPiece::Kind;
using Bytes = std::bitset<256>;

constexpr bool is_upper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool is_lower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool is_alpha(char c) { return is_upper(c) || is_lower(c); }
constexpr bool is_word(char c) { return is_alnum(c) || c == '_'; }
constexpr bool is_xdigit(char c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
constexpr bool is_print(char c) { return c >= ' ' && c <= '~'; }
constexpr bool is_graph(char c) { return is_print(c) && c != ' '; }
constexpr bool is_punct(char c) { return is_graph(c) && !is_alnum(c); }
constexpr bool is_cntrl(char c) { return (c >= 0 && c < ' ') || c == '\x7f'; }

Bytes bytes_where(bool (*member)(char)) {
  Bytes bytes;
  for (unsigned c = 0; c < 256; ++c) bytes[c] = member(static_cast<char>(c));
  return bytes;
}

Bytes one_byte(char c) { return Bytes().set(static_cast<unsigned char>(c)); }

// A class as [:name:] names it, in the classic locale that std::regex uses.
bool named_class(std::string_view name, Bytes& bytes) {
  static constexpr struct {
    std::string_view name;
    bool (*member)(char);
  } kClasses[] = {
      {"alpha", is_alpha}, {"digit", is_digit}, {"d", is_digit},     {"alnum", is_alnum},
      {"w", is_word},      {"upper", is_upper}, {"lower", is_lower}, {"xdigit", is_xdigit},
      {"space", is_space}, {"s", is_space},     {"blank", is_blank}, {"punct", is_punct},
      {"print", is_print}, {"graph", is_graph}, {"cntrl", is_cntrl},
  };
  for (const auto& named : kClasses) {
    if (named.name == name) {
      bytes = bytes_where(named.member);
      return true;
    }
  }
  return false;
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::vector<PatternPiece> pieces() {
    std::vector<PatternPiece> pieces;
    std::vector<std::size_t> open_groups;
    while (at_ < text_.size()) {
      const std::size_t from = at_;
      PatternPiece piece;
      piece.kind = read_piece(piece);
      if (piece.kind == Kind::kRepeat &&
          (pieces.empty() || pieces.back().kind == Kind::kGroupOpen ||
           pieces.back().kind == Kind::kAlternative || pieces.back().kind == Kind::kRepeat)) {
        fail("a repetition of nothing");
      }
      piece.text = text_.substr(from, at_ - from);
      if (piece.kind == Kind::kGroupOpen) open_groups.push_back(pieces.size());
      if (piece.kind == Kind::kGroupClose) {
        if (open_groups.empty()) fail("unbalanced parentheses");
        pieces[open_groups.back()].close = pieces.size();
        open_groups.pop_back();
      }
      pieces.push_back(piece);
    }
    if (!open_groups.empty()) fail("unbalanced parentheses");
    return pieces;
  }

 private:
  [[noreturn]] void fail(std::string_view reason) const { fail_pattern(text_, reason); }
  bool next_is(char c) const { return at_ < text_.size() && text_[at_] == c; }
  char take() {
    if (at_ >= text_.size()) fail("it ends too early");
    return text_[at_++];
  }

  Kind read_piece(PatternPiece& piece) {
    const char c = take();
    switch (c) {
      case '(':
        if (next_is('?')) at_ += 2;  // "(?:", and look-aheads, which RE2 refuses
        return Kind::kGroupOpen;
      case ')':
        return Kind::kGroupClose;
      case '|':
        return Kind::kAlternative;
      case '^':
      case '$':
        return Kind::kOther;
      case '*':
      case '+':
      case '?':
      case '{':
        read_repeat(c, piece);
        return Kind::kRepeat;
      case '[':
        piece.bytes = read_bracket();
        return Kind::kBytes;
      case '.':
        piece.bytes = ~(one_byte('\n') | one_byte('\r'));
        return Kind::kBytes;
      case '\\':
        if (next_is('b') || next_is('B') ||
            (at_ < text_.size() && is_digit(text_[at_]) && text_[at_] != '0')) {
          ++at_;  // an assertion or a back reference
          return Kind::kOther;
        }
        piece.bytes = read_escape(false);
        return Kind::kBytes;
      default:
        piece.bytes = one_byte(c);
        return Kind::kBytes;
    }
  }

  // A count of at most six digits.
  std::size_t read_count() {
    std::size_t count = 0;
    const std::size_t from = at_;
    while (at_ < text_.size() && is_digit(text_[at_]) && at_ - from < 6) {
      count = count * 10 + static_cast<std::size_t>(text_[at_++] - '0');
    }
    if (at_ == from) fail("a repetition without a count");
    return count;
  }

  void read_repeat(char c, PatternPiece& piece) {
    piece.min = c == '+' ? 1 : 0;
    piece.max = c == '?' ? 1 : PatternPiece::kUnbounded;
    if (c == '{') {
      // ECMAScript refuses a brace that opens no repetition; RE2 would take
      // it as a literal and change the meaning.
      if (text_.find('}', at_) == std::string_view::npos) fail("unterminated repetition");
      piece.min = piece.max = read_count();
      if (next_is(',')) {
        ++at_;
        piece.max = next_is('}') ? PatternPiece::kUnbounded : read_count();
      }
      if (take() != '}') fail("unterminated repetition");
      if (piece.max < piece.min) fail("a repetition of fewer than its least");
    }
    if (next_is('?')) ++at_;  // lazy: the same lines match
  }

  // The bytes of an escape behind its backslash: one byte or a class.
  Bytes read_escape(bool in_bracket) {
    static constexpr std::string_view kClasses = "dswDSW";  // the last three the complements
    static constexpr std::string_view kLetters = "tnvfr0";
    static constexpr std::string_view kBytes{"\t\n\v\f\r\0", 6};
    const char c = take();
    if (const std::size_t at = kClasses.find(c); at != std::string_view::npos) {
      const Bytes bytes = bytes_where(at % 3 == 0 ? is_digit : at % 3 == 1 ? is_space : is_word);
      return at < 3 ? bytes : ~bytes;
    }
    if (const std::size_t at = kLetters.find(c); at != std::string_view::npos) {
      return one_byte(kBytes[at]);
    }
    if (c == 'x') {
      const int high = hex_digit(take());
      return one_byte(static_cast<char>(high * 16 + hex_digit(take())));
    }
    if (in_bracket && c == 'b') return one_byte('\b');
    if (is_alnum(c)) fail("an escape that is not supported");
    return one_byte(c);
  }

  int hex_digit(char c) const {
    if (!is_xdigit(c)) fail("\\x without two hexadecimal digits");
    return is_digit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
  }

  // A bracket expression behind its "[".
  Bytes read_bracket() {
    const bool negated = next_is('^');
    if (negated) ++at_;
    if (next_is(']')) fail("empty bracket expressions are not supported");
    Bytes members;
    for (char c = take(); c != ']'; c = take()) {
      if (c == '[' && next_is(':')) {
        const std::size_t close = text_.find(":]", at_ + 1);
        Bytes named;
        if (close == std::string_view::npos ||
            !named_class(text_.substr(at_ + 1, close - at_ - 1), named)) {
          fail("unknown class name");
        }
        members |= named;
        at_ = close + 2;
        continue;
      }
      const Bytes low = c == '\\' ? read_escape(true) : one_byte(c);
      if (low.count() != 1 || !next_is('-') || at_ + 1 >= text_.size() || text_[at_ + 1] == ']') {
        members |= low;
        continue;
      }
      ++at_;  // the '-' of a range
      const char high_char = take();
      const Bytes high = high_char == '\\' ? read_escape(true) : one_byte(high_char);
      if (high.count() != 1 || only_byte(high) < only_byte(low)) fail("a range out of order");
      for (std::size_t b = only_byte(low); b <= only_byte(high); ++b) members.set(b);
    }
    return negated ? ~members : members;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

std::vector<PatternPiece> parse_ecmascript(std::string_view ecmascript) {
  return Reader(ecmascript).pieces();
}

void fail_pattern(std::string_view ecmascript, std::string_view reason) {
  std::fprintf(stderr, "QZTestResult internal error: pattern %.*s: %.*s\n",
               static_cast<int>(ecmascript.size()), ecmascript.data(),
               static_cast<int>(reason.size()), reason.data());
  std::abort();
}

}  // namespace qz
