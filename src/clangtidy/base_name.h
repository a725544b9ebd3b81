#pragma once

#include <string_view>

namespace qz {

// The part of a path behind its last forward slash or backslash; the whole
// path when it has neither.
std::string_view base_name(std::string_view path);

}  // namespace qz
