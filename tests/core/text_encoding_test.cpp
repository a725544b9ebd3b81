#include "core/text_encoding.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(TextEncoding, ValidUtf8PassesAndAnythingElseIsReadAsWindows1252) {
  const struct {
    std::string_view text;
    std::string_view utf8;
  } cases[] = {
      {"plain", "plain"},
      {"caf\xc3\xa9 \xf0\x9f\x99\x82", "caf\xc3\xa9 \xf0\x9f\x99\x82"},  // valid: unchanged
      {"caf\xe9", "caf\xc3\xa9"},                                          // é in windows-1252
      {"\x80\x81\x8d\x8f\x90\x9d\x9f\xff",
       "\xe2\x82\xac\xc2\x81\xc2\x8d\xc2\x8f\xc2\x90\xc2\x9d\xc5\xb8\xc3\xbf"},
      {"\xc0\xaf", "\xc3\x80\xc2\xaf"},              // overlong "/"
      {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xe2\x82\xac"},  // a surrogate
      {"\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xe2\x82\xac\xe2\x82\xac"},  // beyond U+10FFFF
      {"\xc3", "\xc3\x83"},                          // cut short
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8_from_utf8_or_windows1252(c.text), c.utf8) << c.text;
    EXPECT_TRUE(is_valid_utf8(utf8_from_utf8_or_windows1252(c.text))) << c.text;
  }
}

}  // namespace
}  // namespace qz
