#include "importers/build/map_numbers.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(ParseHexUint32, ReadsDigitsAndSaturatesInsteadOfThrowing) {
  const std::pair<std::string_view, std::uint32_t> cases[] = {
      {"00001000", 4096},
      {"0001a0", 416},
      {"80000000", 2147483648u},
      {"ffffffff", 4294967295u},
      {"FFfe", 0xfffe},
      {"100000000", 4294967295u},  // nine digits
      {"ffffffffffffffffffffffff", 4294967295u},
      {"", 0},
      {"zz", 0},
      {"12g4", 0x12},  // reading stops at the first other character
  };
  for (const auto& [digits, value] : cases) EXPECT_EQ(parse_hex_uint32(digits), value) << digits;
}

TEST(ParseDecimalUint32, ReadsDigitsAndSaturatesInsteadOfThrowing) {
  const std::pair<std::string_view, std::uint32_t> cases[] = {
      {"0", 0},
      {"40", 40},
      {"0000236", 236},
      {"4294967295", 4294967295u},
      {"4294967296", 4294967295u},
      {"99999999999999999999999999", 4294967295u},
      {"", 0},
  };
  for (const auto& [digits, value] : cases) EXPECT_EQ(parse_decimal_uint32(digits), value) << digits;
}

TEST(HexText, WritesLowerCaseWithoutLeadingZeros) {
  EXPECT_EQ(hex_text(0), "0");
  EXPECT_EQ(hex_text(40), "28");
  EXPECT_EQ(hex_text(236), "ec");
  EXPECT_EQ(hex_text(4294967295u), "ffffffff");
}

}  // namespace
}  // namespace qz
