#pragma once

// Small pieces of HTML that the parts of the page share. The page holds no
// script and no style attribute: it must read the same where a Content
// Security Policy blocks both, so colour comes from presentation attributes.

#include <string>
#include <string_view>

namespace qz::report {

// A name from the database, shown as text (cut and made UTF-8 by
// shown_name, markup characters escaped).
void append_name(std::string& html, std::string_view name);

// Text of the program's own, with markup characters escaped.
void append_text(std::string& html, std::string_view text);

// "<tag>text</tag>" around a name.
void append_element(std::string& html, std::string_view tag, std::string_view name);

// Whether a change is for the better, for the worse, or neither.
enum class Judgement { kNeutral, kBetter, kWorse };

// A change as a sign, a figure and a word, coloured by what it means, e.g.
// "+2 (worse)" in red.
void append_change(std::string& html, std::string_view change, Judgement judgement);

// The opening tag of a table that reads well without any style sheet.
inline constexpr std::string_view kTableStart = "<table border=\"1\" cellpadding=\"4\">";

}  // namespace qz::report
