#include "importers/build/map_numbers.h"

#include <charconv>
#include <limits>

namespace qz {
namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();

int hex_digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int decimal_digit_value(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

// Accumulates in 64 bits and clamps on every step, so any number of digits
// is safe.
std::uint32_t parse_saturating(std::string_view digits, std::uint64_t base,
                               int (*digit_value)(char)) {
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int digit = digit_value(c);
    if (digit < 0) break;
    value = value * base + static_cast<std::uint64_t>(digit);
    if (value > kMax) value = kMax;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::uint32_t parse_hex_uint32(std::string_view digits) {
  return parse_saturating(digits, 16, hex_digit_value);
}

std::uint32_t parse_decimal_uint32(std::string_view digits) {
  return parse_saturating(digits, 10, decimal_digit_value);
}

std::string hex_text(std::uint32_t value) {
  char digits[8];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
  return std::string(digits, result.ptr);
}

}  // namespace qz
