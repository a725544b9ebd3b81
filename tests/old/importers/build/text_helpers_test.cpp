#include <gtest/gtest.h>

#include "importers/build/replace_all.h"
#include "importers/build/strip_source_root.h"

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

}  // namespace
}  // namespace qz
