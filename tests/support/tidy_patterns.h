#pragma once

#include <string_view>

#include "core/pattern.h"

namespace qz::test {

// The clang-tidy patterns as ECMAScript writes them. The program decides
// them by scans (starts_tidy_message, split_tidy_message); the tests and the
// fuzz target hold the scans to these.
inline constexpr std::string_view kTidyStartText =
    R"(.*\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+.*)";
inline constexpr std::string_view kTidyMessageText =
    R"((.*\.(cpp|c|h))\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+(.*)\[(.*)\](.*))";

// The same, compiled as the program compiles its own patterns.
const Pattern& tidy_start_pattern();
const Pattern& tidy_message_pattern();

}  // namespace qz::test
