#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/literal_chain.h"

namespace re2 {
class RE2;
}
struct pcre2_real_code_8;
struct pcre2_real_match_data_8;
struct pcre2_real_match_context_8;
struct pcre2_real_jit_stack_8;

namespace qz {

// A regular expression written in the ECMAScript grammar and matched as
// std::regex_match would: every byte is one character (Latin-1), matching is
// case-sensitive, greedy repetitions and the leftmost alternative win. (A
// repeated group that can match empty may capture differently; no format
// uses one.)
//
// RE2 decides whether a line matches, in time linear in the line length,
// after a test for the pattern's literals. The groups of a matching line are
// taken by PCRE2's JIT-compiled matcher, many times faster than RE2's
// capture engine; it runs only on lines that RE2 accepted, only up to a few
// KB, and under a match limit, so a crafted line cannot make it slow. On
// anything else (a longer line, the limit reached, no JIT on a hardened
// system) RE2 takes the groups itself, with the same result.
//
// Build each pattern once per process, as a function-local static; a
// pattern is used by one thread.
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

  // The same by RE2 alone, without the literal test and PCRE2: the way for
  // long lines, and the reference for checking the fast path.
  bool match_by_re2(std::string_view line, std::span<std::string_view> groups) const;

  // Texts one of which stands in every line the pattern matches (see
  // LiteralChain::needed_texts); empty when it has none.
  std::span<const std::string> needed_texts() const { return literals_.needed_texts(); }

 private:
  bool groups_by_pcre2(std::string_view line, std::span<std::string_view> groups) const;

  LiteralChain literals_;
  std::unique_ptr<re2::RE2> re_;
  pcre2_real_code_8* pcre2_ = nullptr;  // null without a JIT
  pcre2_real_match_data_8* match_data_ = nullptr;
  pcre2_real_match_context_8* match_context_ = nullptr;
  pcre2_real_jit_stack_8* jit_stack_ = nullptr;
};

// Rewrites an ECMAScript pattern into the syntax that RE2 and PCRE2 share,
// with the same meaning: every literal byte and class is written out as the
// byte set that parse_ecmascript reads (so "." matches neither line feed nor
// carriage return, and \s is the six classic white-space characters, which
// neither engine can widen); the rest (groups, alternatives, repetitions,
// anchors) is kept as written.
std::string translate_ecmascript(std::string_view ecmascript);

}  // namespace qz
