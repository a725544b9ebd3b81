#pragma once

#include <string>
#include <string_view>

namespace qz {

// `text` with every occurrence of `search` replaced by `replacement`, left
// to right; inserted text is never searched again. An empty `search`
// changes nothing.
std::string replace_all(std::string_view text, std::string_view search,
                        std::string_view replacement);

}  // namespace qz
