#include "clangtidy/parse_tidy_message.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(ParseTidyMessage, FillsEveryField) {
  const struct {
    std::string text;
    TidyMessage expected;  // text is always the whole input
  } cases[] = {
      {"src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]     int *p = 0;"
       "              ^",
       {"src/a.cpp", 10, 5, "modernize-use-nullptr",
        "warning use nullptr  modernize-use-nullptr      int *p = 0;              ^ ", ""}},
      {"src/a.cpp:7:3: warning: subscript [x-y]     a[i] = 0;     ^",
       {"src/a.cpp", 7, 3, "i", "warning subscript [x-y]     a i  = 0;     ^ ", ""}},
      {"include/x.h:1:1: error: e [c]", {"include/x.h", 1, 1, "c", "error e  c  ", ""}},
      {"C:\\w\\b.c:0012:007:\tnote:\v n [a]b]", {"C:\\w\\b.c", 12, 7, "a]b", "note n  a]b  ", ""}},
      {"x.h.cpp.c:1:2: warning: w [] t", {"x.h.cpp.c", 1, 2, "", "warning w    t ", ""}},
      {"src/x.cpp:99999999999:2147483648: warning: huge [a]",
       {"src/x.cpp", 2147483647, 2147483647, "a", "warning huge  a  ", ""}},
      {"a.c:1:2: note: x [y] b.c:3:4: warning: z [w]",
       {"a.c:1:2: note: x [y] b.c", 3, 4, "w", "warning z  w  ", ""}},
  };
  for (const auto& c : cases) {
    TidyMessage actual;
    ASSERT_TRUE(parse_tidy_message(c.text, actual)) << c.text;
    EXPECT_EQ(actual.file, c.expected.file) << c.text;
    EXPECT_EQ(actual.line, c.expected.line) << c.text;
    EXPECT_EQ(actual.column, c.expected.column) << c.text;
    EXPECT_EQ(actual.check, c.expected.check) << c.text;
    EXPECT_EQ(actual.summary, c.expected.summary) << c.text;
    EXPECT_EQ(actual.text, c.text);
  }
}

TEST(ParseTidyMessage, DropsTextsThatAreNoUsableDiagnostic) {
  const std::string texts[] = {
      "include/x.hpp:1:1: warning: header [llvm-header-guard]",
      "src/x.cc:1:1: warning: w [a]",
      "src/x.CPP:1:1: warning: w [a]",
      "src/x.cpp:1:1: warning: no bracket pair",
      "src/x.cpp:1:1: warning: ] reversed [",
      "src/x.cpp:1:1: remark: w [a]",
      "12 warnings generated.",
      "src/x.cpp:1:1: warning: w [a]\r",
      "",
  };
  for (const std::string& text : texts) {
    TidyMessage message;
    message.file = "untouched";
    EXPECT_FALSE(parse_tidy_message(text, message)) << text;
    EXPECT_EQ(message.file, "untouched");
  }
}

TEST(ParseTidyMessage, TakesVeryLongTextsInStride) {
  const std::string filler(1'000'000, '.');
  const std::string text = "a/" + filler + "x.c:1:2: warning: " + filler + " [c] " + filler;
  TidyMessage message;
  ASSERT_TRUE(parse_tidy_message(text, message));
  EXPECT_EQ(message.file, "a/" + filler + "x.c");
  EXPECT_EQ(message.check, "c");
  EXPECT_EQ(message.summary, "warning " + filler + "  c  " + filler + " ");
}

TEST(PositionNumber, ReadsDecimalDigitsAndSaturates) {
  const std::pair<std::string_view, std::int32_t> cases[] = {
      {"0", 0},
      {"007", 7},
      {"2147483646", 2147483646},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"00000000002147483647", 2147483647},
      {"99999999999999999999999", 2147483647},
  };
  for (const auto& [digits, value] : cases) EXPECT_EQ(position_number(digits), value) << digits;
}

}  // namespace
}  // namespace qz
