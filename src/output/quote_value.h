#pragma once

#include <string>
#include <string_view>

namespace qz {

// A value as written into an SQL statement: between double quotes, with
// every double quote inside doubled (the standard SQL escape), so that no
// file name or message can break the script. NUL bytes are left out: no
// SQL text literal can hold one. Nothing else is changed.
std::string quote_value(std::string_view value);

// Appends quote_value(value) to `out` without a temporary.
void append_quoted(std::string& out, std::string_view value);

}  // namespace qz
