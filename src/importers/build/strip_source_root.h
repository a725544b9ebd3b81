#pragma once

#include <string_view>

namespace qz {

// The part of `path` behind its first "/Src/" (forward slashes, exact case),
// so that rows name files relative to the source root whatever directory the
// build ran in. A path without "/Src/" is returned whole.
std::string_view strip_source_root(std::string_view path);

}  // namespace qz
