#pragma once

#include <string>
#include <string_view>

namespace qz {

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF).
bool is_valid_utf8(std::string_view text);

// `text` as UTF-8 for a consumer that takes nothing else (a PostgreSQL
// server, a SARIF file): valid UTF-8 passes unchanged; any other text is
// read as windows-1252, in which Windows tools write paths and messages,
// as web browsers read it (its five unassigned bytes stand for U+0081,
// U+008D, U+008F, U+0090 and U+009D), so that no byte is lost.
std::string utf8_from_utf8_or_windows1252(std::string_view text);

}  // namespace qz
