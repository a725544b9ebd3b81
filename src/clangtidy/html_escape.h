#pragma once

#include <string>
#include <string_view>

namespace qz {

// Appends `text` with "&", "<" and ">" written as character references, so
// that file names and messages show literally and cannot add markup.
void append_html_escaped(std::string& out, std::string_view text);

}  // namespace qz
