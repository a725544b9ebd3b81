#pragma once

#include <string_view>

namespace qz {

// The source root: findings in files outside it are not imported.
inline constexpr std::string_view kSourceRoot = "Src_QZ\\";

// The part of `path` from its first "Src_QZ\" (exact bytes) to its end, or an
// empty view when the path holds no such marker. Nothing else is changed.
std::string_view source_relative_name(std::string_view path);

}  // namespace qz
