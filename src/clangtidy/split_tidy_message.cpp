#include "clangtidy/split_tidy_message.h"

#include <algorithm>

namespace qz {
namespace {

constexpr std::size_t kNone = std::string_view::npos;

// The character classes of the pattern: "." is anything but a line break,
// [[:space:]] the six classic white-space characters.
bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_line_break(char c) { return c == '\n' || c == '\r'; }

// (string_view::find_first_of would call memchr once per character.)
std::size_t first_line_break(std::string_view text) {
  return static_cast<std::size_t>(std::find_if(text.begin(), text.end(), is_line_break) -
                                  text.begin());
}

std::size_t last_line_break(std::string_view text) {
  const auto found = std::find_if(text.rbegin(), text.rend(), is_line_break);
  return found == text.rend() ? kNone : static_cast<std::size_t>(text.rend() - found - 1);
}

bool skip_literal(std::string_view text, std::size_t& at, std::string_view literal) {
  if (!text.substr(at).starts_with(literal)) return false;
  at += literal.size();
  return true;
}

// The longest run of class members from `at` on; a shorter run never helps
// here, since the pattern wants a character outside the class next.
std::string_view take_run(std::string_view text, std::size_t& at, bool (*in_class)(char)) {
  const std::size_t from = at;
  while (at < text.size() && in_class(text[at])) ++at;
  return text.substr(from, at - from);
}

// What the end of the pattern, "(.*)\[(.*)\](.*)", depends on: "(.*)\["
// runs to the last "[" that a "]" follows, "(.*)\]" to the last "]", and
// none of it may hold a line break.
struct Landmarks {
  std::size_t open = kNone;
  std::size_t close = kNone;
  std::size_t last_break = kNone;
};

Landmarks find_landmarks(std::string_view text) {
  Landmarks found;
  found.close = text.rfind(']');
  if (found.close != kNone && found.close > 0) found.open = text.rfind('[', found.close - 1);
  found.last_break = last_line_break(text);
  return found;
}

// Matches the pattern behind the extension, ":line:column: severity: ...",
// from `at` on, and fills groups 3 to 8.
bool match_tail(std::string_view text, std::size_t at, const Landmarks& landmarks,
                TidyMessageGroups& groups) {
  if (!skip_literal(text, at, ":")) return false;
  groups[2] = take_run(text, at, is_digit);
  if (groups[2].empty() || !skip_literal(text, at, ":")) return false;
  groups[3] = take_run(text, at, is_digit);
  if (groups[3].empty() || !skip_literal(text, at, ":")) return false;
  if (take_run(text, at, is_space).empty()) return false;
  const std::size_t severity_from = at;
  if (!skip_literal(text, at, "error") && !skip_literal(text, at, "note") &&
      !skip_literal(text, at, "warning")) {
    return false;
  }
  groups[4] = text.substr(severity_from, at - severity_from);
  if (!skip_literal(text, at, ":") || take_run(text, at, is_space).empty()) return false;
  if (landmarks.open == kNone || landmarks.open < at) return false;
  if (landmarks.last_break != kNone && landmarks.last_break >= at) return false;
  groups[5] = text.substr(at, landmarks.open - at);
  groups[6] = text.substr(landmarks.open + 1, landmarks.close - landmarks.open - 1);
  groups[7] = text.substr(landmarks.close + 1);
  return true;
}

}  // namespace

bool split_tidy_message(std::string_view text, TidyMessageGroups& groups) {
  const Landmarks landmarks = find_landmarks(text);
  // The path runs to the last dot behind which the rest matches, and holds no
  // line break. At one dot at most one extension can fit, as a colon follows it.
  std::size_t search_end = first_line_break(text);
  while (search_end > 0) {
    const std::size_t dot = text.rfind('.', search_end - 1);
    if (dot == kNone) break;
    for (const std::string_view extension : {"cpp", "c", "h"}) {
      const std::size_t path_end = dot + 1 + extension.size();
      if (text.substr(dot + 1).starts_with(extension) &&
          match_tail(text, path_end, landmarks, groups)) {
        groups[0] = text.substr(0, path_end);
        groups[1] = text.substr(dot + 1, extension.size());
        return true;
      }
    }
    search_end = dot;
  }
  return false;
}

}  // namespace qz
