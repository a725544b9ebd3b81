#include "clangtidy/base_name.h"

namespace qz {

std::string_view base_name(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

}  // namespace qz
