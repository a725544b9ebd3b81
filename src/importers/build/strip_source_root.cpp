#include "importers/build/strip_source_root.h"

namespace qz {

std::string_view strip_source_root(std::string_view path) {
  constexpr std::string_view kMarker = "/Src/";
  const std::size_t at = path.find(kMarker);
  if (at == std::string_view::npos) return path;
  return path.substr(at + kMarker.size());
}

}  // namespace qz
