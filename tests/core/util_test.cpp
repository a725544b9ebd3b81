#include "core/util.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

TEST(StripSourceRoot, KeepsWhatFollowsTheFirstSourceRoot) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"../Src/drv/can.c", "drv/can.c"},
      {"/work/Src/app/Src/x.c", "app/Src/x.c"},
      {"/Src/", ""},
      {"a/Src/", ""},
      // No source root: the path stays whole, however short.
      {"lib/src/a.c", "lib/src/a.c"},
      {"..\\Src\\a.c", "..\\Src\\a.c"},
      {"Src/a.c", "Src/a.c"},
      {"/Src", "/Src"},
      {"a", "a"},
      {"", ""},
  };
  for (const auto& [path, kept] : cases) EXPECT_EQ(strip_source_root(path), kept) << path;
}

TEST(ReplaceAll, ReplacesEveryOccurrenceOnceFromLeftToRight) {
  struct Case {
    std::string_view text, search, replacement, expected;
  };
  const Case cases[] = {
      {"..\\Src\\drv\\can.c", "\\", "/", "../Src/drv/can.c"},
      {"say \"hi\"", "\"", "'", "say 'hi'"},
      {"no match", "\"", "'", "no match"},
      {"", "a", "b", ""},
      {"aaa", "a", "aa", "aaaaaa"},  // the inserted text is not searched again
      {"abab", "ab", "", ""},
      {"aaaa", "aa", "b", "bb"},
      {"text", "", "x", "text"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(replace_all(c.text, c.search, c.replacement), c.expected) << c.text;
  }
}

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
  for (const auto& [digits, value] : cases)
    EXPECT_EQ(parse_decimal_uint32(digits), value) << digits;
}

TEST(HexText, WritesLowerCaseWithoutLeadingZeros) {
  EXPECT_EQ(hex_text(0), "0");
  EXPECT_EQ(hex_text(40), "28");
  EXPECT_EQ(hex_text(236), "ec");
  EXPECT_EQ(hex_text(4294967295u), "ffffffff");
}

TEST(ParseDecimalInt32, StopsAtTheGreatestSignedValue) {
  EXPECT_EQ(parse_decimal_int32("2147483647"), 2147483647);
  EXPECT_EQ(parse_decimal_int32("2147483648"), 2147483647);
  EXPECT_EQ(parse_decimal_int32("007x"), 7);
}

TEST(BaseName, TakesThePartBehindTheLastSlashOrBackslash) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"src/a.cpp", "a.cpp"},
      {"..\\src\\main.cpp", "main.cpp"},
      {"C:\\w/mixed\\x.h", "x.h"},
      {"a/b\\c/d.c", "d.c"},
      {"plain.c", "plain.c"},
      {"dir/", ""},
      {"", ""},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(base_name(path), name) << path;
}

TEST(AppendHtmlEscaped, WritesAmpersandAndAngleBracketsAsReferences) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"std::vector<int>", "std::vector&lt;int&gt;"},
      {"a && b", "a &amp;&amp; b"},
      {"&lt;", "&amp;lt;"},
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"\"quoted\" 'single' \xe9", "\"quoted\" 'single' \xe9"},
      {"", ""},
  };
  for (const auto& [text, escaped] : cases) {
    std::string out = "kept|";
    append_html_escaped(out, text);
    EXPECT_EQ(out, "kept|" + std::string(escaped)) << text;
  }
}

TEST(TextRanks, NumberDistinctTextsInUnsignedByteOrder) {
  TextRanks ranks;
  for (const std::string_view text : {"b", "a", "\xe9", "b", "ab", ""}) ranks.add(text);
  ranks.number();
  EXPECT_EQ(ranks[""], 0u);
  EXPECT_EQ(ranks["a"], 1u);
  EXPECT_EQ(ranks["ab"], 2u);
  EXPECT_EQ(ranks["b"], 3u);
  EXPECT_EQ(ranks["\xe9"], 4u);
}

TEST(RunsOfEqualKey, CutsSortedRecordsIntoRuns) {
  const std::vector<int> sorted{1, 1, 2, 3, 3, 3};
  const auto runs = runs_of_equal_key(std::span(sorted), [](int v) { return v; });
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].size(), 2u);
  EXPECT_EQ(runs[1].size(), 1u);
  EXPECT_EQ(runs[2].size(), 3u);
  EXPECT_TRUE(runs_of_equal_key(std::span<const int>(), [](int v) { return v; }).empty());
}

}  // namespace
}  // namespace qz
