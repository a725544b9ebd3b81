#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace qz {

// Searches of lines, and of whole blocks of input, for the short literal
// texts of a pattern, a few bytes long, where most places hold the first byte
// of some text: faster than std::string_view::find there.

// Where `text` (not empty) stands in `line` at or after `from`; npos when
// nowhere.
std::size_t find_text(std::string_view line, std::string_view text, std::size_t from);

// Where one of `texts` (none empty) stands at the earliest in `line` at or
// after `from`; npos when nowhere. One pass for all.
std::size_t find_texts(std::string_view line, std::span<const std::string> texts, std::size_t from);

// Where `byte` stands last in `text` before `end` (at most the size); npos
// when nowhere. As std::string_view::rfind, but many bytes at a time.
std::size_t find_last_byte(std::string_view text, char byte, std::size_t end);

// Whether `text` stands at `at`; texts are short, so no library call.
inline bool text_stands_at(const char* at, std::string_view text) {
  for (const char c : text) {
    if (*at++ != c) return false;
  }
  return true;
}

}  // namespace qz
