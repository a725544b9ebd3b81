#pragma once

#include <string>
#include <string_view>

namespace qz {

// Appends `utf8` as a JSON string, between double quotes: the quote, the
// backslash and the control characters escaped, every other character as
// it is. The text must be UTF-8, as JSON is.
void append_json_string(std::string& out, std::string_view utf8);

}  // namespace qz
