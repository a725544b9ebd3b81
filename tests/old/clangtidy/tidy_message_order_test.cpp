#include "clangtidy/tidy_message_order.h"

#include <gtest/gtest.h>

#include "clangtidy/parse_tidy_message.h"

namespace qz {
namespace {

TidyMessage message(std::string file, int line, std::string check, std::string summary,
                    int column = 1, std::string text = "t") {
  return {std::move(file), line, column, std::move(check), std::move(summary), std::move(text)};
}

TEST(TidyMessageLess, OrdersByFileLineCheckThenSummaryButNotColumn) {
  const struct {
    const char* name;
    TidyMessage a;
    TidyMessage b;
    bool a_before_b;
    bool b_before_a;
  } cases[] = {
      {"file first", message("src/a.cpp", 20, "z", "z"), message("src/b.cpp", 3, "a", "a"), true,
       false},
      {"shorter file first", message("a.c", 9, "z", "z"), message("a.cc", 1, "a", "a"), true,
       false},
      {"files compare as unsigned bytes", message("\xe9.c", 1, "a", "a"),
       message("z.c", 1, "a", "a"), false, true},
      {"then the line", message("a.c", 10, "a", "a"), message("a.c", 9, "z", "z"), false, true},
      {"then the check", message("a.c", 1, "b", "a"), message("a.c", 1, "c", "a"), true, false},
      {"then the summary", message("a.c", 1, "b", "y"), message("a.c", 1, "b", "x"), false,
       true},
      {"the column is no key", message("a.c", 1, "b", "x", 9), message("a.c", 1, "b", "x", 2),
       false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(tidy_message_less(c.a, c.b), c.a_before_b) << c.name;
    EXPECT_EQ(tidy_message_less(c.b, c.a), c.b_before_a) << c.name;
  }
}

TEST(TidyMessageEqual, ComparesEverythingButTheSummary) {
  const TidyMessage base = message("a.c", 1, "c", "s", 5, "text");
  EXPECT_TRUE(tidy_message_equal(base, message("a.c", 1, "c", "other summary", 5, "text")));
  EXPECT_FALSE(tidy_message_equal(base, message("b.c", 1, "c", "s", 5, "text")));
  EXPECT_FALSE(tidy_message_equal(base, message("a.c", 2, "c", "s", 5, "text")));
  EXPECT_FALSE(tidy_message_equal(base, message("a.c", 1, "c", "s", 6, "text")));
  EXPECT_FALSE(tidy_message_equal(base, message("a.c", 1, "d", "s", 5, "text")));
  EXPECT_FALSE(tidy_message_equal(base, message("a.c", 1, "c", "s", 5, "text2")));
}

std::vector<TidyMessage> parsed(const std::vector<std::string>& texts) {
  std::vector<TidyMessage> messages;
  for (const std::string& text : texts) {
    TidyMessage m;
    EXPECT_TRUE(parse_tidy_message(text, m)) << text;
    messages.push_back(m);
  }
  return messages;
}

std::vector<std::string> texts_of(const std::vector<TidyMessage>& messages) {
  std::vector<std::string> texts;
  for (const TidyMessage& m : messages) texts.push_back(m.text);
  return texts;
}

TEST(SortAndRemoveDuplicates, SortsStablyAndDropsNeighbouringDuplicates) {
  const struct {
    const char* name;
    std::vector<std::string> input;
    std::vector<std::string> expected;
  } cases[] = {
      {"identical diagnostics give one message",
       {"src/a.cpp:1:1: warning: w [c]", "src/a.cpp:1:1: warning: w [c]"},
       {"src/a.cpp:1:1: warning: w [c]"}},
      {"a different column keeps both, in input order",
       {"src/a.cpp:1:9: warning: w [c]", "src/a.cpp:1:2: warning: w [c]"},
       {"src/a.cpp:1:9: warning: w [c]", "src/a.cpp:1:2: warning: w [c]"}},
      {"file, then line, then check",
       {"src/b.cpp:3:1: warning: w [c]", "src/a.cpp:20:1: warning: w [z]",
        "src/a.cpp:20:1: warning: w [b]", "src/a.cpp:4:1: warning: w [z]"},
       {"src/a.cpp:4:1: warning: w [z]", "src/a.cpp:20:1: warning: w [b]",
        "src/a.cpp:20:1: warning: w [z]", "src/b.cpp:3:1: warning: w [c]"}},
      {"a duplicate separated by an equal-ranking message stays",
       {"src/a.cpp:1:5: warning: w [c]", "src/a.cpp:1:6: warning: w [c]",
        "src/a.cpp:1:5: warning: w [c]"},
       {"src/a.cpp:1:5: warning: w [c]", "src/a.cpp:1:6: warning: w [c]",
        "src/a.cpp:1:5: warning: w [c]"}},
      {"duplicates far apart in the input meet after the sort",
       {"src/a.cpp:1:1: warning: w [c]", "src/b.cpp:1:1: warning: w [c]",
        "src/a.cpp:1:1: warning: w [c]", "src/a.cpp:1:1: warning: w [c]"},
       {"src/a.cpp:1:1: warning: w [c]", "src/b.cpp:1:1: warning: w [c]"}},
  };
  for (const auto& c : cases) {
    std::vector<TidyMessage> messages = parsed(c.input);
    sort_and_remove_duplicates(messages);
    EXPECT_EQ(texts_of(messages), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace qz
