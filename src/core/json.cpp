#include "core/json.h"

namespace qz {
namespace {

bool needs_escape(char c) { return c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }

void append_escaped(std::string& out, char c) {
  static constexpr char kHex[] = "0123456789abcdef";
  switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    default: {
      const auto byte = static_cast<unsigned char>(c);
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
}

}  // namespace

void append_json_string(std::string& out, std::string_view utf8) {
  out += '"';
  // Most texts need nothing escaped: the plain runs go in whole.
  std::size_t plain_from = 0;
  for (std::size_t at = 0; at < utf8.size(); ++at) {
    if (!needs_escape(utf8[at])) continue;
    out.append(utf8.data() + plain_from, at - plain_from);
    append_escaped(out, utf8[at]);
    plain_from = at + 1;
  }
  out.append(utf8.data() + plain_from, utf8.size() - plain_from);
  out += '"';
}

}  // namespace qz
