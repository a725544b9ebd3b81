#pragma once

// Clang-tidy messages parsed, sorted and de-duplicated.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/finding.h"
#include "core/large_memory.h"
#include "core/line_reader.h"
#include "core/run.h"

namespace qz {

// Where a part of a text lies in it.
struct TextPart {
  std::uint32_t begin = 0;
  std::uint32_t size = 0;
};

// One clang-tidy diagnostic as the page shows it. Its parts are places in
// its text, which is a view: into the joined lines while it is parsed, into
// the texts of its TidyMessages after collection.
struct TidyMessage {
  std::string_view text;  // all lines of the diagnostic joined by single blanks
  std::int32_t line = 0;
  std::int32_t column = 0;
  TextPart file_part;   // the path before the position, ending in .cpp, .c or .h
  TextPart check_part;  // the text of the last bracket pair
  // The summary: severity, message, check and trailing text, taken as if
  // written one after the other, each followed by one blank.
  std::array<TextPart, 4> summary_parts;

  std::string_view part(TextPart place) const { return text.substr(place.begin, place.size); }
  std::string_view file() const { return part(file_part); }
  std::string_view check() const { return part(check_part); }
};

// A whole diagnostic is what the message pattern
// (.*\.(cpp|c|h))\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+(.*)\[(.*)\](.*)
// matches: a path ending in .cpp, .c or .h, "line:column:", a severity, the
// message, a bracket pair holding the check, and what follows. Its eight
// groups: file, extension, line, column, severity, message, check, trailer.
using TidyMessageGroups = std::array<std::string_view, 8>;
// Finds the groups that the message pattern captures, with the same greedy
// choices, by scanning for the few places where they can begin and end;
// false exactly when the text does not match the pattern.
bool split_tidy_message(std::string_view text, TidyMessageGroups& groups);
// Fills `message` from one joined text (of less than 4 GiB); false (message
// untouched) when the text does not match the message pattern.
bool parse_tidy_message(std::string_view text, TidyMessage& message);

// Orders by file, then line, check, summary, column and whole text (texts
// bytes unsigned), so that equal messages are neighbours.
bool tidy_message_less(const TidyMessage& a, const TidyMessage& b);
// Same file, line, column, check and text.
bool tidy_message_equal(const TidyMessage& a, const TidyMessage& b);

// The messages of one input and the texts they view, kept in large blocks
// rather than one allocation per message.
using TidyMessageList = std::vector<TidyMessage, LargeAllocator<TidyMessage>>;
struct TidyMessages {
  TidyMessageList messages;
  std::vector<LargeBytes> text_blocks;
  std::size_t block_size = 0;
  std::size_t block_used = 0;
};

// Reads the whole input into messages, keeps those that parse, sorts them
// and drops duplicates. False, with the reason printed, when none is left.
bool collect_tidy_messages(LineReader& input, TidyMessages& collected);

// What a message's first line says: the checks in the brackets that end it
// (the first bracket pair behind the severity that holds check names and
// ends a line; the source lines joined behind it often hold brackets too),
// and the text before them. Without such brackets: no checks, and the text
// up to the message's last bracket pair.
struct TidyDiagnostic {
  std::string_view checks;
  std::string_view message;
};
TidyDiagnostic tidy_diagnostic(const TidyMessage& message);

// Hands on every message, in the order of the list: its checks as the rule,
// its severity as the level, and its diagnostic text.
void add_tidy_findings(const TidyMessageList& messages, FindingSink& findings);

void visualize_clang_tidy(const Run& run);

}  // namespace qz
