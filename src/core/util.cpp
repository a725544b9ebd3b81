#include "core/util.h"

#include <charconv>
#include <limits>

namespace qz {

std::string replace_all(std::string_view text, std::string_view search,
                        std::string_view replacement) {
  if (search.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(search); at != std::string_view::npos;
       at = text.find(search, from)) {
    result.append(text.substr(from, at - from));
    result.append(replacement);
    from = at + search.size();
  }
  result.append(text.substr(from));
  return result;
}

std::string_view strip_source_root(std::string_view path) {
  constexpr std::string_view kMarker = "/Src/";
  const std::size_t at = path.find(kMarker);
  if (at == std::string_view::npos) return path;
  return path.substr(at + kMarker.size());
}

std::string_view base_name(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

namespace {

std::string_view reference_for(char c) {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    default: return {};
  }
}

int hex_digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int decimal_digit_value(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

// Accumulates in 64 bits and clamps on every step, so any number of digits
// is safe.
std::uint64_t parse_saturating(std::string_view digits, std::uint64_t base,
                               int (*digit_value)(char), std::uint64_t max) {
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int digit = digit_value(c);
    if (digit < 0) break;
    value = std::min(value * base + static_cast<std::uint64_t>(digit), max);
  }
  return value;
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

std::uint32_t parse_hex_uint32(std::string_view digits) {
  return static_cast<std::uint32_t>(
      parse_saturating(digits, 16, hex_digit_value, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t parse_decimal_uint32(std::string_view digits) {
  return static_cast<std::uint32_t>(
      parse_saturating(digits, 10, decimal_digit_value, std::numeric_limits<std::uint32_t>::max()));
}

std::int32_t parse_decimal_int32(std::string_view digits) {
  return static_cast<std::int32_t>(
      parse_saturating(digits, 10, decimal_digit_value, std::numeric_limits<std::int32_t>::max()));
}

DecimalText::DecimalText(std::uint64_t value) {
  size_ = static_cast<std::size_t>(
      std::to_chars(digits_.data(), digits_.data() + digits_.size(), value).ptr - digits_.data());
}

std::string hex_text(std::uint32_t value) {
  char digits[8];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
  return std::string(digits, result.ptr);
}

}  // namespace qz
