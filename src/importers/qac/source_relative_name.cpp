#include "importers/qac/source_relative_name.h"

namespace qz {

std::string_view source_relative_name(std::string_view path) {
  const std::size_t at = path.find(kSourceRoot);
  return at == std::string_view::npos ? std::string_view() : path.substr(at);
}

}  // namespace qz
