#include "report/text.h"

#include <gtest/gtest.h>

namespace qz::report {
namespace {

TEST(ReportText, WritesFiguresAsPageJsonAndSummaryShowThem) {
  EXPECT_EQ(grouped(181204), "181,204");
  EXPECT_EQ(grouped(-1000), "-1,000");
  EXPECT_EQ(grouped(999), "999");
  EXPECT_EQ(signed_count(96), "+96");
  EXPECT_EQ(signed_count(0), "+0");
  EXPECT_EQ(signed_count(-1), "-1");
  EXPECT_EQ(percent_text(82.149), "82.1%");
  EXPECT_EQ(signed_points(-0.04), "+0.0");  // never "-0.0"
  EXPECT_EQ(signed_points(-0.36), "-0.4");
  EXPECT_EQ(counted(1, "place", "places"), "1 place");
  EXPECT_EQ(counted(1200, "place", "places"), "1,200 places");
}

TEST(ShownName, IsUtf8AndCutAtACharacter) {
  EXPECT_EQ(shown_name("caf\xc3\xa9", 4), "caf\xc3\xa9");
  EXPECT_EQ(shown_name("caf\xc3\xa9s", 4), "caf\xc3\xa9...");
  EXPECT_EQ(shown_name("caf\xe9"), "caf\xc3\xa9");  // windows-1252
  EXPECT_EQ(shown_name(std::string(121, 'x')), std::string(120, 'x') + "...");
  EXPECT_EQ(short_hash("0123456789abcdef"), "0123456789");
  EXPECT_EQ(short_hash("\xc3\xa9\xc3\xa9\xc3\xa9", 2), "\xc3\xa9\xc3\xa9");  // never half a character
  EXPECT_EQ(shown_name("a\rb\x1b[2Kc\x7f"), "a\xef\xbf\xbd" "b\xef\xbf\xbd[2Kc\xef\xbf\xbd");
}

}  // namespace
}  // namespace qz::report
