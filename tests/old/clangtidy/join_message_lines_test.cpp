#include "clangtidy/join_message_lines.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using Texts = std::vector<std::string>;

TEST(JoinMessageLines, CutsAtEveryLineThatStartsADiagnostic) {
  const struct {
    const char* name;
    Texts lines;
    Texts messages;
  } cases[] = {
      {"source and marker lines join the diagnostic",
       {"src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]", "    int *p = 0;",
        "             ^"},
       {"src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]     int *p = 0;"
        "              ^"}},
      {"the first line begins a message whatever it holds",
       {"12 warnings generated.", "noise", "src/a.cpp:1:2: note: here", "x"},
       {"12 warnings generated. noise", "src/a.cpp:1:2: note: here x"}},
      {"a last line that starts a diagnostic stands alone",
       {"a.c:1:1: error: e [c]", "a.c:2:1: warning: w [c]"},
       {"a.c:1:1: error: e [c]", "a.c:2:1: warning: w [c]"}},
      {"one line", {"a.h:3:4: warning: x [y]"}, {"a.h:3:4: warning: x [y]"}},
      {"empty lines are joined as empty texts", {"a.c:1:1: error: e [c]", "", ""},
       {"a.c:1:1: error: e [c]  "}},
      {"any path and any white space count for a start",
       {"first", "foo.hpp:1:2:\twarning:\vx", "weird:1:2: error: y", "a:1:2:warning: z",
        "a:1:2: remark: z"},
       {"first", "foo.hpp:1:2:\twarning:\vx", "weird:1:2: error: y a:1:2:warning: z"
                                               " a:1:2: remark: z"}},
  };
  for (const auto& c : cases) EXPECT_EQ(join_message_lines(c.lines), c.messages) << c.name;
}

TEST(JoinMessageLines, FeedingLinesHandsOutEachMessageOnceItIsComplete) {
  MessageJoiner joiner;
  std::string finished;
  std::string last;
  EXPECT_FALSE(finish_message(joiner, finished)) << "no line, no message";
  EXPECT_FALSE(add_message_line(joiner, "a.c:1:1: error: e [c]", finished));
  EXPECT_FALSE(add_message_line(joiner, "  x;", finished));
  EXPECT_TRUE(add_message_line(joiner, "a.c:2:1: error: f [c]", finished));
  EXPECT_EQ(finished, "a.c:1:1: error: e [c]   x;");
  EXPECT_TRUE(finish_message(joiner, last));
  EXPECT_EQ(last, "a.c:2:1: error: f [c]");
  EXPECT_FALSE(finish_message(joiner, last));
}

}  // namespace
}  // namespace qz
