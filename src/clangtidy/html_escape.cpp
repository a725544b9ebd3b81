#include "clangtidy/html_escape.h"

namespace qz {
namespace {

std::string_view reference_for(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    default: return {};
  }
}

}  // namespace

void append_html_escaped(std::string& out, std::string_view text) {
  std::size_t plain_from = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::string_view reference = reference_for(text[at]);
    if (reference.empty()) continue;
    out.append(text, plain_from, at - plain_from);
    out.append(reference);
    plain_from = at + 1;
  }
  out.append(text, plain_from);
}

}  // namespace qz
