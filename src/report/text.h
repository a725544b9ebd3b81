#pragma once

// How the report writes figures and names, alike on the page, in the JSON
// and in the summary lines.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qz::report {

// 181204 -> "181,204".
std::string grouped(long long count);
// +96, -1, +0.
std::string signed_count(long long change);
// "1 place", "3 places", with the count grouped.
std::string counted(long long count, std::string_view one, std::string_view many);
// 82.14 -> "82.1%".
std::string percent_text(double percent);
// Percentage points with one decimal and a sign: "-0.4", "+0.0".
std::string signed_points(double change);
// `percent` with one decimal, as JSON writes it.
double rounded_percent(double percent);

// A name from the database as UTF-8 (other bytes read as windows-1252), cut
// to `longest` characters with "..." where it is longer, so that no name
// can blow up the page, and control characters shown as U+FFFD, so that
// none can rewrite a line of the console.
std::string shown_name(std::string_view name, std::size_t longest = 120);

// The first `length` characters of a git hash, as shown_name shows them:
// enough to tell builds apart.
std::string short_hash(std::string_view githash, std::size_t length = 10);

}  // namespace qz::report
