#include <gtest/gtest.h>

#include "formats/formats.h"

namespace qz {
namespace {

TEST(FindFormat, KnowsExactlyTheElevenParserTypes) {
  EXPECT_EQ(kFormats.size(), 11u);
  for (const Format& format : kFormats) {
    EXPECT_EQ(find_format(format.parser_type), &format) << format.parser_type;
  }
  for (const char* type : {"", "qac", "QAC ", " QAC", "Map_keil", "Warning_", "ClangTid"}) {
    EXPECT_EQ(find_format(type), nullptr) << '"' << type << '"';
  }
}

}  // namespace
}  // namespace qz
