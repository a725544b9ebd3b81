#pragma once

#include <string_view>

// The character classes that patterns and the scans deciding in their place
// share, as the classic locale defines them: ASCII only.
namespace qz {

// [[:space:]] and \s.
inline constexpr std::string_view kSpaceBytes = " \t\n\v\f\r";

constexpr bool is_space(char c) {
  for (const char space : kSpaceBytes) {
    if (c == space) return true;
  }
  return false;
}

// [[:digit:]], [0-9] and \d.
constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

// [[:alnum:]].
constexpr bool is_alnum(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || is_digit(c);
}

// [[:blank:]].
constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }

}  // namespace qz
