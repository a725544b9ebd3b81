#include "output/quote_value.h"

namespace qz {
namespace {

// A double quote is doubled; a NUL byte is left out, because SQL tools read
// a script as C text and a NUL would cut the statement short.
constexpr std::string_view kSpecialBytes("\"\0", 2);

}  // namespace

void append_quoted(std::string& out, std::string_view value) {
  out += '"';
  for (std::size_t special = value.find_first_of(kSpecialBytes);
       special != std::string_view::npos; special = value.find_first_of(kSpecialBytes)) {
    out.append(value.substr(0, special));
    if (value[special] == '"') out += "\"\"";
    value.remove_prefix(special + 1);
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
