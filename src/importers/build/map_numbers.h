#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qz {

// The value of the hexadecimal digits at the start of `digits` (either
// case); reading stops at the first other character. Never throws: a value
// above 4294967295 gives 4294967295, a text without leading digits gives 0.
std::uint32_t parse_hex_uint32(std::string_view digits);

// The same for decimal digits.
std::uint32_t parse_decimal_uint32(std::string_view digits);

// Lower-case hexadecimal digits without prefix or leading zeros; "0" for 0.
std::string hex_text(std::uint32_t value);

}  // namespace qz
