#include "core/file_uri.h"

#include <array>

#include "core/char_class.h"
#include "core/text_encoding.h"

namespace qz {
namespace {

constexpr bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What a path may hold as it is: unreserved characters, sub-delimiters,
// "@" and the slash. The colon is left out: in the first segment of a
// relative reference it would make the name before it a scheme.
constexpr std::array<bool, 256> kStaysAsIs = [] {
  std::array<bool, 256> table{};
  for (const char c : std::string_view("-._~!$&'()*+,;=@/")) {
    table[static_cast<unsigned char>(c)] = true;
  }
  for (std::size_t byte = 0; byte < table.size(); ++byte) {
    const auto c = static_cast<char>(byte);
    table[byte] = table[byte] || is_letter(c) || is_digit(c);
  }
  return table;
}();

bool has_drive_letter(std::string_view path) {
  return path.size() >= 2 && is_letter(path[0]) && path[1] == ':';
}

}  // namespace

void append_percent_encoded(std::string& out, std::string_view utf8) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (kStaysAsIs[byte]) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
}

FileUri file_uri(std::string_view name) {
  std::string path = utf8_from_utf8_or_windows1252(name);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  FileUri result;
  if (has_drive_letter(path)) {
    // "C:/src/a.c" is file:///C:/src/a.c; the drive's colon stays.
    result.uri = "file:///";
    result.uri += path.substr(0, 2);
    append_percent_encoded(result.uri, std::string_view(path).substr(2));
    result.relative = false;
  } else if (path.starts_with('/')) {
    // "/src/a.c" is file:///src/a.c, the UNC name "//server/share/a.c"
    // file://server/share/a.c.
    result.uri = path.starts_with("//") ? "file:" : "file://";
    append_percent_encoded(result.uri, path);
    result.relative = false;
  } else {
    append_percent_encoded(result.uri, path);
  }
  return result;
}

}  // namespace qz
