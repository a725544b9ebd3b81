#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace re2 {
class RE2;
}

namespace qz {

// A regular expression written in the ECMAScript grammar and matched by RE2,
// whose matching time is linear in the line length. Every byte is one
// character (Latin-1), matching is case-sensitive, greedy repetitions and
// the leftmost alternative win, as in std::regex_match. (A repeated group
// that can match empty may capture differently; no importer uses one.)
// Build each pattern once per process, as a function-local static.
class Pattern {
 public:
  // Aborts with a message if the text is not a valid pattern: patterns are
  // part of the program, not its input.
  explicit Pattern(std::string_view ecmascript);
  ~Pattern();
  Pattern(const Pattern&) = delete;
  Pattern& operator=(const Pattern&) = delete;

  // The number of capture groups.
  int group_count() const;

  // True when the pattern matches the whole line.
  bool matches(std::string_view line) const;

  // Whole-line match that also fills groups[i] with capture group i + 1 (a
  // view into `line`; empty for a group that took no part). groups may be
  // shorter than group_count().
  bool match(std::string_view line, std::span<std::string_view> groups) const;

 private:
  bool may_match(std::string_view line) const;

  std::unique_ptr<re2::RE2> re_;
  std::string prefix_;    // every matching line begins with it
  std::string required_;  // every matching line contains it
};

// Literal texts that every line matching an ECMAScript pattern must hold:
// the literal start of the pattern, and the longest other literal run outside
// groups and repetitions. Either is empty when there is none.
struct RequiredLiterals {
  std::string prefix;
  std::string longest;
};
RequiredLiterals required_literals(std::string_view ecmascript);

// Rewrites an ECMAScript pattern into RE2's syntax with the same meaning:
// "." matches neither line feed nor carriage return, and \s also matches the
// vertical tab. Everything else already means the same in both.
std::string ecmascript_to_re2(std::string_view ecmascript);

}  // namespace qz
