#include "core/literal_chain.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

#include "core/char_class.h"
#include "core/text_search.h"

namespace qz {
namespace {

using Bytes = LiteralChain::Bytes;
using Element = LiteralChain::Element;
using Kind = Element::Kind;

constexpr std::size_t kUnbounded = std::numeric_limits<std::size_t>::max();
// A run of a class this wide (".*") is left as a stretch not looked into:
// reading it would cost more than it can tell.
constexpr std::size_t kWidestRun = 128;
// Literal alternatives next to each other make a step of all their
// combinations, up to this many.
constexpr std::size_t kMostTexts = 16;
// find_texts tries up to four texts at once.
constexpr std::size_t kMostNeededTexts = 4;
// An exact repetition of one byte class up to this count, as [0-9a-f]{8},
// becomes that many single bytes.
constexpr std::size_t kMostRepeatedBytes = 16;

Bytes byte_range(unsigned char low, unsigned char high) {
  Bytes bytes;
  for (unsigned c = low; c <= high; ++c) bytes.set(c);
  return bytes;
}

Bytes bytes_of(std::string_view chars) {
  Bytes bytes;
  for (const char c : chars) bytes.set(static_cast<unsigned char>(c));
  return bytes;
}

// A class as [:name:] names it, in the classic locale that std::regex and
// RE2 both use: ASCII only. False for a name not known here.
bool named_class(std::string_view name, Bytes& bytes) {
  const Bytes digit = byte_range('0', '9');
  const Bytes alpha = byte_range('A', 'Z') | byte_range('a', 'z');
  const Bytes print = byte_range(' ', '~');
  const Bytes space = bytes_of(kSpaceBytes);
  const struct {
    std::string_view name;
    Bytes bytes;
  } classes[] = {
      {"alpha", alpha},
      {"digit", digit},
      {"d", digit},
      {"alnum", alpha | digit},
      {"w", alpha | digit | bytes_of("_")},
      {"upper", byte_range('A', 'Z')},
      {"lower", byte_range('a', 'z')},
      {"xdigit", digit | byte_range('A', 'F') | byte_range('a', 'f')},
      {"space", space},
      {"s", space},
      {"blank", bytes_of(" \t")},
      {"punct", print & ~(alpha | digit | bytes_of(" "))},
      {"print", print},
      {"graph", print & ~bytes_of(" ")},
      {"cntrl", byte_range(0, 31) | bytes_of("\x7f")},
  };
  for (const auto& c : classes) {
    if (c.name == name) {
      bytes = c.bytes;
      return true;
    }
  }
  return false;
}

bool is_letter_or_digit(char c) {
  return is_digit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The byte an escape \c stands for, when it stands for one byte.
bool escaped_byte(char c, char& byte) {
  constexpr std::string_view kLetters = "tnrfv", kBytes = "\t\n\r\f\v";
  if (const std::size_t at = kLetters.find(c); at != std::string_view::npos) {
    byte = kBytes[at];
    return true;
  }
  if (is_letter_or_digit(c)) return false;  // \b, \x41, a back reference...
  byte = c;
  return true;
}

// The bytes an escape \c stands for: one byte or a class such as \s.
bool escape_bytes(char c, Bytes& bytes) {
  char byte = 0;
  if (escaped_byte(c, byte)) {
    bytes = bytes_of(std::string_view(&byte, 1));
    return true;
  }
  const bool negated = c == 'D' || c == 'S' || c == 'W';
  const char name = negated ? static_cast<char>(c - 'A' + 'a') : c;
  if ((name != 'd' && name != 's' && name != 'w') ||
      !named_class(std::string_view(&name, 1), bytes)) {
    return false;
  }
  if (negated) bytes = ~bytes;
  return true;
}

// Index one past the bracket expression that starts at `open`.
std::size_t skip_bracket(std::string_view text, std::size_t open) {
  std::size_t i = open + 1;
  if (i < text.size() && text[i] == '^') ++i;
  for (; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '[' && i + 1 < text.size() && text[i + 1] == ':') {
      const std::size_t close = text.find(":]", i + 2);
      if (close == std::string_view::npos) return text.size();
      i = close + 1;
    } else if (text[i] == ']') {
      return i + 1;
    }
  }
  return text.size();
}

// Index one past the group that starts at `open`.
std::size_t skip_group(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '[') {
      i = skip_bracket(text, i) - 1;
    } else if (text[i] == '(') {
      ++depth;
    } else if (text[i] == ')' && --depth == 0) {
      return i + 1;
    }
  }
  return text.size();
}

bool has_top_level_alternative(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\') {
      ++i;
    } else if (text[i] == '[') {
      i = skip_bracket(text, i) - 1;
    } else if (text[i] == '(') {
      i = skip_group(text, i) - 1;
    } else if (text[i] == '|') {
      return true;
    }
  }
  return false;
}

constexpr std::string_view kSpecial = ".[](){}*+?|^$\\";

// The one byte that stands at `i`, plain or escaped, and the index behind
// it; false for an escaped class.
bool single_byte_at(std::string_view text, std::size_t i, char& c, std::size_t& next) {
  if (text[i] != '\\') {
    c = text[i];
    next = i + 1;
    return true;
  }
  if (i + 1 >= text.size() || !escaped_byte(text[i + 1], c)) return false;
  next = i + 2;
  return true;
}

// The bytes of a whole bracket expression "[...]"; false where it holds
// what is not known here.
bool bracket_bytes(std::string_view bracket, Bytes& bytes) {
  const std::size_t end = bracket.size() - 1;  // the closing ']'
  std::size_t i = 1;
  const bool negated = i < end && bracket[i] == '^';
  if (negated) ++i;
  Bytes members;
  while (i < end) {
    if (bracket[i] == '[' && i + 1 < end && bracket[i + 1] == ':') {
      const std::size_t close = bracket.find(":]", i + 2);
      Bytes named;
      if (close == std::string_view::npos ||
          !named_class(bracket.substr(i + 2, close - i - 2), named)) {
        return false;
      }
      members |= named;
      i = close + 2;
      continue;
    }
    char low = 0;
    std::size_t next = i;
    if (!single_byte_at(bracket, i, low, next)) {  // \d, \s, \w
      Bytes escaped;
      if (i + 1 >= end || !escape_bytes(bracket[i + 1], escaped)) return false;
      members |= escaped;
      i += 2;
      continue;
    }
    char high = low;
    if (bracket[next] == '-' && next + 1 < end) {
      if (!single_byte_at(bracket, next + 1, high, next)) return false;
      if (static_cast<unsigned char>(high) < static_cast<unsigned char>(low)) return false;
    }
    members |= byte_range(static_cast<unsigned char>(low), static_cast<unsigned char>(high));
    i = next;
  }
  bytes = negated ? ~members : members;
  return true;
}

// The literal alternatives of a group such as "(error|warning)"; false for
// a group holding anything else.
bool literal_alternatives(std::string_view group, std::vector<std::string>& alternatives) {
  if (group.size() < 2 || group[1] == '?') return false;
  alternatives.assign(1, std::string());
  for (std::size_t i = 1; i + 1 < group.size();) {
    if (group[i] == '|') {
      alternatives.emplace_back();
      ++i;
      continue;
    }
    char c = 0;
    if (kSpecial.find(group[i]) != std::string_view::npos && group[i] != '\\') return false;
    if (!single_byte_at(group, i, c, i)) return false;
    alternatives.back() += c;
  }
  return true;
}

struct Quantifier {
  bool valid = true;
  std::size_t min = 1;
  std::size_t max = 1;
  std::size_t end = 0;  // index behind the quantifier
};

// A count of at most six digits; false for anything else.
bool read_count(std::string_view digits, std::size_t& count) {
  if (digits.empty() || digits.size() > 6) return false;
  count = 0;
  for (const char d : digits) {
    if (!is_digit(d)) return false;
    count = count * 10 + static_cast<std::size_t>(d - '0');
  }
  return true;
}

Quantifier quantifier_at(std::string_view text, std::size_t i) {
  Quantifier q{true, 1, 1, i};
  if (i >= text.size()) return q;
  const char c = text[i];
  if (c == '*' || c == '+' || c == '?') {
    q.min = c == '+' ? 1 : 0;
    q.max = c == '?' ? 1 : kUnbounded;
    q.end = i + 1;
  } else if (c == '{') {
    const std::size_t close = text.find('}', i);
    if (close == std::string_view::npos) return {false};
    const std::string_view bounds = text.substr(i + 1, close - i - 1);
    const std::size_t comma = bounds.find(',');
    if (!read_count(bounds.substr(0, comma), q.min)) return {false};
    q.max = q.min;
    if (comma != std::string_view::npos) {
      if (comma + 1 == bounds.size()) {
        q.max = kUnbounded;  // {n,}
      } else if (!read_count(bounds.substr(comma + 1), q.max)) {
        return {false};
      }
    }
    if (q.max < q.min) return {false};
    q.end = close + 1;
  }
  if (q.end < text.size() && text[q.end] == '?') ++q.end;  // lazy: the same lines match
  return q;
}

Element anything() { return Element{}; }

// Appends the elements of a sequence: the whole pattern or the inside of a
// group. False where it holds what is not known here.
bool parse_sequence(std::string_view text, bool whole, std::vector<Element>& out) {
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (whole && c == '^' && i == 0) {
      ++i;
      continue;
    }
    if (whole && c == '$' && i + 1 == text.size()) break;  // the line's end, as always
    std::size_t next = i + 1;
    Bytes bytes;
    if (c == '(') {
      next = skip_group(text, i);
      if (text[next - 1] != ')' || next - i < 2) return false;
      const Quantifier q = quantifier_at(text, next);
      if (!q.valid) return false;
      std::string_view inside = text.substr(i + 1, next - i - 2);
      std::vector<std::string> texts;
      if (q.end != next) {
        out.push_back(anything());  // repeated: its groups can capture apart
      } else if (literal_alternatives(text.substr(i, next - i), texts)) {
        Element element;
        element.kind = Kind::kTexts;
        element.texts = std::move(texts);
        out.push_back(std::move(element));
      } else {
        if (inside.starts_with("?:")) inside.remove_prefix(2);
        if (inside.starts_with('?') || has_top_level_alternative(inside)) {
          out.push_back(anything());
        } else if (!parse_sequence(inside, false, out)) {
          return false;
        }
      }
      i = q.end;
      continue;
    }
    if (c == '[') {
      next = skip_bracket(text, i);
      if (text[next - 1] != ']' || !bracket_bytes(text.substr(i, next - i), bytes)) return false;
    } else if (c == '.') {
      bytes = ~bytes_of("\n\r");
    } else if (c == '\\') {
      if (i + 1 >= text.size() || !escape_bytes(text[i + 1], bytes)) return false;
      next = i + 2;
    } else if (kSpecial.find(c) != std::string_view::npos) {
      return false;
    } else {
      bytes = bytes_of(std::string_view(&c, 1));
    }
    const Quantifier q = quantifier_at(text, next);
    if (!q.valid) return false;
    if (q.min == q.max && q.max <= kMostRepeatedBytes) {
      Element element;
      element.kind = Kind::kByte;
      element.bytes = bytes;
      out.insert(out.end(), q.max, element);
    } else if (bytes.count() > kWidestRun) {
      out.push_back(anything());
    } else {
      Element element;
      element.kind = Kind::kRun;
      element.bytes = bytes;
      element.min = q.min;
      element.max = q.max;
      out.push_back(std::move(element));
    }
    i = q.end;
  }
  return true;
}

// The bytes that the elements from `i` on, walking forward or backward, can
// begin with; none past the last, where the line ends.
Bytes entry_bytes(const std::vector<Element>& elements, std::size_t i, bool forward) {
  Bytes bytes;
  for (; i < elements.size(); forward ? ++i : --i) {  // backward, i wraps past 0
    const Element& e = elements[i];
    switch (e.kind) {
      case Kind::kAnything:
        return Bytes().set();
      case Kind::kByte:
        return bytes | e.bytes;
      case Kind::kRun:
        bytes |= e.bytes;
        if (e.min > 0) return bytes;
        break;
      case Kind::kTexts: {
        bool may_be_empty = false;
        for (const std::string& text : e.texts) {
          if (text.empty()) {
            may_be_empty = true;
          } else {
            bytes.set(static_cast<unsigned char>(forward ? text.front() : text.back()));
          }
        }
        if (!may_be_empty) return bytes;
        break;
      }
    }
  }
  return bytes;
}

// The same set as a table, which a walk looks bytes up in.
std::array<bool, 256> table_of(const Bytes& bytes) {
  std::array<bool, 256> table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte) table[byte] = bytes[byte];
  return table;
}

bool is_literal(const Element& e) {
  return e.kind == Kind::kTexts || (e.kind == Kind::kByte && e.bytes.count() == 1);
}

std::vector<std::string> literal_texts(const Element& e) {
  if (e.kind == Kind::kTexts) return e.texts;
  std::size_t byte = 0;
  while (!e.bytes[byte]) ++byte;
  return {std::string(1, static_cast<char>(byte))};
}

bool holds_at(std::string_view line, std::size_t at, std::string_view text) {
  return line.size() - at >= text.size() && text_stands_at(line.data() + at, text);
}

// Literal bytes and texts next to each other become one text, which a walk
// compares at once.
void join_single_texts(std::vector<Element>& elements) {
  std::vector<Element> joined;
  for (Element& e : elements) {
    if (is_literal(e) && literal_texts(e).size() == 1) {
      const std::string text = literal_texts(e).front();
      if (!joined.empty() && joined.back().kind == Kind::kTexts &&
          joined.back().texts.size() == 1) {
        joined.back().texts.front() += text;
        continue;
      }
      e.kind = Kind::kTexts;
      e.texts = {text};
    }
    joined.push_back(std::move(e));
  }
  elements = std::move(joined);
}

// A position in a line that a walk moves forward from or backward to.
template <bool kForward>
struct Cursor {
  std::string_view line;
  std::size_t at;

  bool at_edge() const { return kForward ? at == line.size() : at == 0; }
  unsigned char byte() const { return static_cast<unsigned char>(line[kForward ? at : at - 1]); }
  void move(std::size_t count) { at = kForward ? at + count : at - count; }
  // How many bytes in a row from here the table takes, up to `most`.
  std::size_t run_length(const std::array<bool, 256>& takes, std::size_t most) const {
    std::size_t count = 0;
    if (kForward) {
      const char* const from = line.data() + at;
      while (count < most && takes[static_cast<unsigned char>(from[count])]) ++count;
    } else {
      const char* const from = line.data() + at - 1;
      while (count < most && takes[static_cast<unsigned char>(*(from - count))]) ++count;
    }
    return count;
  }
  std::size_t room() const { return kForward ? line.size() - at : at; }
  bool holds(std::string_view text) const {
    if (kForward) return holds_at(line, at, text);
    return at >= text.size() && holds_at(line, at - text.size(), text);
  }
};

}  // namespace

bool layer_off(ChainLayer layer) {
  static const unsigned off = [] {
    const char* value = std::getenv("QZ_CHAIN_OFF");
    const std::string_view list = value == nullptr ? "" : value;
    unsigned mask = 0;
    const std::pair<std::string_view, ChainLayer> names[] = {
        {"glance", kGlance}, {"walks", kWalks}, {"ends", kEnds}, {"byte", kByte},
        {"rarest", kRarest}, {"order", kOrder}, {"surroundings", kSurroundings},
        {"tallies", kTallies}};
    for (const auto& [name, bit] : names) {
      if (list.find(name) != std::string_view::npos) mask |= bit;
    }
    return mask;
  }();
  return (off & layer) != 0;
}

LiteralChain::LiteralChain(std::string_view text) {
  if (has_top_level_alternative(text) || !parse_sequence(text, true, elements_)) {
    elements_.assign(1, anything());
  }
  join_single_texts(elements_);
  for (std::size_t i = 0; i < elements_.size(); ++i) {
    Element& e = elements_[i];
    e.takes = table_of(e.bytes);
    e.greedy_forward = (entry_bytes(elements_, i + 1, true) & e.bytes).none();
    e.greedy_backward = (entry_bytes(elements_, i - 1, false) & e.bytes).none();
  }
  // The steps: each run of literal elements, as all the texts it can be.
  for (std::size_t i = 0; i < elements_.size();) {
    if (!is_literal(elements_[i])) {
      ++i;
      continue;
    }
    Step step{{std::string()}, i, i};
    for (; step.last < elements_.size() && is_literal(elements_[step.last]); ++step.last) {
      const std::vector<std::string> parts = literal_texts(elements_[step.last]);
      if (step.texts.size() * parts.size() > kMostTexts) break;
      std::vector<std::string> longer;
      for (const std::string& text : step.texts) {
        for (const std::string& part : parts) longer.push_back(text + part);
      }
      step.texts = std::move(longer);
    }
    i = std::max(step.last, i + 1);
    // An empty text stands everywhere: such a step tells nothing.
    const bool tells =
        step.last > step.first && std::none_of(step.texts.begin(), step.texts.end(),
                                               [](const std::string& t) { return t.empty(); });
    if (tells) steps_.push_back(std::move(step));
  }
  can_open_ = table_of(entry_bytes(elements_, 0, true));
  can_close_ = table_of(entry_bytes(elements_, elements_.size() - 1, false));
  opens_with_anything_ = !elements_.empty() && elements_.front().kind == Kind::kAnything;
  ends_with_anything_ = !elements_.empty() && elements_.back().kind == Kind::kAnything;
  if (steps_.size() > kMostSteps) steps_.resize(kMostSteps);  // fewer tests, never wrong
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    steps_[k].back_limit = k == 0 ? 0 : steps_[k - 1].first;
    steps_[k].forward_limit = k + 1 == steps_.size() ? elements_.size() : steps_[k + 1].last;
  }
  rarest_step_ = steps_.size();
  auto shortest = [](const Step& step) {
    std::size_t size = kUnbounded;
    for (const std::string& text : step.texts) size = std::min(size, text.size());
    return size;
  };
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    if (rarest_step_ == steps_.size() || shortest(steps_[k]) > shortest(steps_[rarest_step_])) {
      rarest_step_ = k;
    }
  }
  byte_step_ = steps_.size();
  for (std::size_t k = 0; k < steps_.size() && byte_step_ == steps_.size(); ++k) {
    if (k != rarest_step_ && steps_[k].texts.size() == 1 && steps_[k].texts[0].size() == 1) {
      byte_step_ = k;
    }
  }
}

template <bool kForward>
LiteralChain::Reach LiteralChain::walk(std::string_view line, std::size_t at, std::size_t element,
                                       std::size_t limit, std::size_t& budget) const {
  Cursor<kForward> cursor{line, at};
  // Stopping at the current element: all before it fit where they stand.
  const auto stop_here = [&] { return Reach{true, element, cursor.at}; };
  for (; element != limit; kForward ? ++element : --element) {
    const Element& e = elements_[kForward ? element : element - 1];
    switch (e.kind) {
      case Kind::kAnything:
        return stop_here();
      case Kind::kByte:
        if (cursor.at_edge() || !e.takes[cursor.byte()]) return {};
        cursor.move(1);
        break;
      case Kind::kTexts: {
        std::size_t taken = kUnbounded;
        for (const std::string& text : e.texts) {
          if (!cursor.holds(text)) continue;
          // Texts of different lengths both here: the walk cannot tell which.
          if (taken != kUnbounded && taken != text.size()) return stop_here();
          taken = text.size();
        }
        if (taken == kUnbounded) return {};
        cursor.move(taken);
        break;
      }
      case Kind::kRun: {
        // Unless nothing that follows can go on with these bytes, the run
        // may end earlier, and where it ends is not known: only its fewest
        // bytes are read then.
        const bool greedy = kForward ? e.greedy_forward : e.greedy_backward;
        const std::size_t most = std::min(greedy ? e.max : e.min, cursor.room());
        const std::size_t count = cursor.run_length(e.takes, std::min(most, budget));
        if (count == budget && count < most) return stop_here();  // spent
        if (count < e.min) return {};
        budget -= count;
        if (!greedy) return stop_here();
        cursor.move(count);
        break;
      }
    }
  }
  // The pattern's end is the line's.
  const bool fits = limit != (kForward ? elements_.size() : 0) || cursor.at_edge();
  return {fits, element, cursor.at};
}

LiteralChain::Place LiteralChain::place_of(const Step& step, std::string_view line,
                                           std::size_t from, std::size_t* budget) const {
  // A step that begins or ends the pattern stands only at the line's edge.
  const bool begins = step.first == 0 && !layer_off(kEnds);
  const bool ends = step.last == elements_.size() && !layer_off(kEnds);
  auto next_at = [&](const std::string& text, std::size_t at) {
    if (!begins && !ends) return find_text(line, text, at);
    const std::size_t edge = begins ? 0 : line.size() - text.size();
    const bool there = line.size() >= text.size() && at <= edge && holds_at(line, edge, text);
    return there && (!begins || !ends || line.size() == text.size()) ? edge
                                                                     : std::string_view::npos;
  };
  Place earliest;
  for (const std::string& text : step.texts) {
    for (std::size_t at = next_at(text, from); at != std::string_view::npos;
         at = next_at(text, at + 1)) {
      if (budget == nullptr ||
          (walk<false>(line, at, step.first, step.back_limit, *budget).fits &&
           walk<true>(line, at + text.size(), step.last, step.forward_limit, *budget).fits)) {
        earliest.start = std::min(earliest.start, at);
        earliest.end = std::min(earliest.end, at + text.size());
        break;
      }
    }
  }
  return earliest;
}

std::span<const std::string> LiteralChain::needed_texts() const {
  if (rarest_step_ == steps_.size() || steps_[rarest_step_].texts.size() > kMostNeededTexts) {
    return {};
  }
  return steps_[rarest_step_].texts;
}

bool LiteralChain::may_match(std::string_view line) const {
  // Runs are read at most about twice over in all; past that RE2 decides.
  std::size_t budget = 2 * line.size() + 64;
  // A glance at the first and the last byte rejects many lines at once.
  if (!layer_off(kGlance) && !line.empty() && !(can_open_[static_cast<unsigned char>(line.front())] &&
                         can_close_[static_cast<unsigned char>(line.back())])) {
    return false;
  }
  // The line's ends first: they cost a few comparisons each, and settle
  // the steps they reach.
  const Reach head =
      opens_with_anything_ || layer_off(kWalks) ? Reach{true, 0, 0}
                                                 : walk<true>(line, 0, 0, elements_.size(), budget);
  if (!head.fits) return false;
  const Reach tail = ends_with_anything_ || layer_off(kWalks)
                         ? Reach{true, elements_.size(), line.size()}
                         : walk<false>(line, line.size(), elements_.size(), 0, budget);
  if (!tail.fits) return false;
  auto settled = [&](const Step& step) {
    return step.last <= head.element || step.first >= tail.element;
  };
  // Where a step can begin at the earliest: a step that the head walk
  // entered but did not settle (it stopped inside it, at texts of which
  // one is a prefix of another) may begin before head.at.
  auto earliest_start = [&](const Step& step) {
    return step.first >= head.element ? head.at : 0;
  };
  // Then the texts alone, a search or two each: a single byte the pattern
  // needs, the cheapest search; the step with the longest texts, the rarest
  // in a log, unless the search in order begins with it; and then all in
  // order.
  if (!layer_off(kByte) && byte_step_ < steps_.size() && !settled(steps_[byte_step_]) &&
      find_text(line, steps_[byte_step_].texts.front(), head.at) == std::string_view::npos) {
    return false;
  }
  if (!layer_off(kRarest) && rarest_step_ < steps_.size() && !settled(steps_[rarest_step_]) &&
      std::any_of(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(rarest_step_),
                  [&](const Step& step) { return !settled(step); }) &&
      rarest_.pays()) {
    const bool absent =
        find_texts(line, steps_[rarest_step_].texts, earliest_start(steps_[rarest_step_])) ==
        std::string_view::npos;
    rarest_.count(absent);
    if (absent) return false;
  }
  // Where each step's texts begin at the earliest, when searched.
  std::array<std::size_t, kMostSteps> starts;
  const bool in_order = !layer_off(kOrder) && in_order_.pays();
  if (in_order) {
    std::size_t from = 0;
    for (std::size_t k = 0; k < steps_.size(); ++k) {
      if (settled(steps_[k])) continue;
      from = std::max(from, earliest_start(steps_[k]));
      const Place place = place_of(steps_[k], line, from, nullptr);
      if (place.end == std::string_view::npos) {
        in_order_.count(true);
        return false;
      }
      starts[k] = place.start;
      from = place.end;
    }
    in_order_.count(false);
  }
  // Then each text with what surrounds it, the rarest step first: a near
  // miss mostly fails there.
  if (layer_off(kSurroundings) || !surroundings_.pays()) return true;
  if (rarest_step_ < steps_.size() && !settled(steps_[rarest_step_]) &&
      place_of(steps_[rarest_step_], line,
               in_order ? starts[rarest_step_] : earliest_start(steps_[rarest_step_]), &budget)
              .end == std::string_view::npos) {
    surroundings_.count(true);
    return false;
  }
  std::size_t from = 0;
  for (std::size_t k = 0; k < steps_.size(); ++k) {
    const Step& step = steps_[k];
    if (settled(step)) continue;
    from = std::max(from, earliest_start(step));
    from = place_of(step, line, in_order ? std::max(from, starts[k]) : from, &budget).end;
    if (from == std::string_view::npos || (step.last <= tail.element && from > tail.at)) {
      surroundings_.count(true);
      return false;
    }
  }
  surroundings_.count(false);
  return true;
}

}  // namespace qz
