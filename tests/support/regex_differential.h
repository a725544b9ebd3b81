#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pattern.h"

namespace qz::test {

// Expects `pattern` to give, on every line and on random edits of those that
// match, what ECMAScript std::regex_match gives for `ecmascript`: the same
// whole-line match result and, on a match, the same text and participation
// for every capture group; and every matching line to hold one of the
// pattern's needed texts.
void expect_same_as_ecmascript(const Pattern& pattern, std::string_view ecmascript,
                               const std::vector<std::string>& lines);

// Lines made from each seed by one to three random edits (a byte of
// `alphabet` inserted or put in place of one, or one deleted), `per_seed` of
// each; the same every run.
std::vector<std::string> with_random_edits(const std::vector<std::string>& seeds,
                                           std::string_view alphabet, int per_seed);

// The seed lines plus deterministic variations of each: carriage returns,
// tabs, vertical tabs, bytes above 127, deleted, doubled and swapped
// characters, blanks at either end, cut-off lines.
std::vector<std::string> with_mutations(const std::vector<std::string>& seeds);

}  // namespace qz::test

namespace qz::test {

// One line format under test: its classifier, turned into the record's
// fields joined by "|" (nothing when the line is not recognised), its
// pattern and the same pattern as written in ECMAScript, and lines with what
// they must give.
struct LineFormatTable {
  std::string_view name;
  std::optional<std::string> (*classify)(std::string_view line);
  const Pattern& (*pattern)();
  std::string_view ecmascript;
  std::vector<std::pair<std::string, std::optional<std::string>>> lines;
};

// Every line through its classifier, and every pattern against std::regex on
// the lines of its table and their mutations.
void expect_line_formats(const std::vector<LineFormatTable>& tables);

}  // namespace qz::test
