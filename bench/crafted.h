#pragma once

#include <span>
#include <string>
#include <string_view>

namespace qz::bench {

// A line made to nearly match a parser type's pattern, so that a matcher
// that backtracks or keeps too many states shows it: `head` once, `body`
// repeated until the line is long, then `tail`. For formats that read lines
// in pairs the tail ends with a short second line ("\n" inside the tail).
struct CraftedLine {
  std::string_view name;
  std::string_view head;
  std::string_view body;
  std::string_view tail;
  bool gives_row;  // the whole line is valid: it must come out as a row
};

// The crafted lines of a parser type; empty for an unknown type.
std::span<const CraftedLine> crafted_lines(std::string_view parser_type);

// The line of about `bytes` bytes, ended by "\n".
std::string build_crafted_line(const CraftedLine& line, std::size_t bytes);

}  // namespace qz::bench
