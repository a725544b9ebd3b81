#include "clangtidy/html_escape.h"

namespace qz {

void append_html_escaped(std::string& out, std::string_view text) {
  std::size_t plain_from = 0;
  for (std::size_t at = text.find_first_of("&<>"); at != std::string_view::npos;
       at = text.find_first_of("&<>", plain_from)) {
    out.append(text, plain_from, at - plain_from);
    switch (text[at]) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      default: out += "&gt;"; break;
    }
    plain_from = at + 1;
  }
  out.append(text, plain_from);
}

}  // namespace qz
