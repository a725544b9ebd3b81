#include "output/quote_value.h"

namespace qz {

void append_quoted(std::string& out, std::string_view value) {
  out += '"';
  for (std::size_t quote = value.find('"'); quote != std::string_view::npos;
       quote = value.find('"')) {
    out.append(value.substr(0, quote + 1));
    out += '"';
    value.remove_prefix(quote + 1);
  }
  out.append(value);
  out += '"';
}

std::string quote_value(std::string_view value) {
  std::string quoted;
  quoted.reserve(value.size() + 2);
  append_quoted(quoted, value);
  return quoted;
}

}  // namespace qz
