#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "formats/formats.h"
#include "support/regex_differential.h"
#include "support/run_format.h"

namespace qz {
namespace {

using Texts = std::vector<std::string>;

// The two patterns run on RE2; these tests prove that they, and the scan that
// finds the message groups, accept and capture exactly what the ECMAScript
// originals do.
constexpr std::string_view kStartText =
    R"(.*\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+.*)";
constexpr std::string_view kMessageText =
    R"((.*\.(cpp|c|h))\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+(.*)\[(.*)\](.*))";

const Texts kSeeds = {
    "src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]",
    "    int *p = 0;",
    "             ^",
    "src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]     int *p = 0;              ^",
    "src/a.cpp:7:3: warning: do not use array subscript [x-y]     a[i] = 0;     ^",
    "include/x.hpp:1:1: warning: header [llvm-header-guard]",
    "include/x.h:1:1: warning: header [llvm-header-guard]",
    "12 warnings generated.",
    "src/b.cpp:3:1: error: unknown type name 'foo' [clang-diagnostic-error]",
    "src/a.c:20:9: note: expanded from macro 'MAX'",
    "C:\\work\\src\\main.cpp:0012:000: warning:\tshadowed [bugprone-x] tail [y] end",
    "a.cpp.h:1:2:  warning:  x [a] b [c] d",
    "a.c.cpp:1:2: warning: x [] y",
    "src/x.cpp:99999999999:1: warning: huge [a]",
    "src/x.cpp:1:2: fatal error: file not found [clang-diagnostic-error]",
    "src/x.CPP:1:2: warning: upper case [a]",
    "src/x.cpp:1:2: warning: no brackets here",
    "src/x.cpp:1:2: warning: ] reversed [",
    "src/x.cpp:1:2:warning: no blank [a]",
    "src/x.cpp::2: warning: no line [a]",
};

TEST(TidyPatterns, StartPatternAgreesWithEcmascript) {
  test::expect_same_as_ecmascript(tidy_start_pattern(), kStartText, test::with_mutations(kSeeds));
}

TEST(TidyPatterns, MessagePatternAgreesWithEcmascript) {
  test::expect_same_as_ecmascript(tidy_message_pattern(), kMessageText,
                                  test::with_mutations(kSeeds));
}

// Message-like texts whose pieces are randomly bent: other extensions and
// separators, extra dots, colons, digits, brackets and line breaks, so that
// the greedy choices of the pattern land in many different places.
Texts random_message_texts(std::size_t count) {
  std::mt19937 random(20221130);
  auto one_of = [&](std::initializer_list<std::string_view> choices) {
    return std::string(choices.begin()[random() % choices.size()]);
  };
  auto piece = [&](std::initializer_list<std::string_view> choices) {
    return random() % 6 == 0 ? one_of({"", ".", ":", "1", " ", "\r", "[", "]", "x.c", ":2:", "\n"})
                             : one_of(choices);
  };
  Texts texts;
  for (std::size_t i = 0; i < count; ++i) {
    std::string text = piece({"src/a", "a.b/c", "C:\\x\\y", "", "a.c:1:2: note: n [x] b"});
    text += piece({".cpp", ".c", ".h", ".hpp", ".cpp.c", ".c.h"});
    text += piece({":"}) + piece({"12", "0", "007"}) + piece({":"}) + piece({"5", "99"});
    text += piece({":"}) + piece({" ", "\t", "  ", "\v"});
    text += piece({"warning", "error", "note"}) + piece({":"}) + piece({" ", "\f ", "\r"});
    text += piece({"use nullptr ", "a[i] ", "x.c:3:4: error: y ", ""});
    text += piece({"[", "[["}) + piece({"check", "a]b", "", "c[d"}) + piece({"]", "]]"});
    text += piece({"", " int *p = 0;", " a[i] = 0;  ^", "]"});
    texts.push_back(std::move(text));
  }
  return texts;
}

TEST(TidyPatterns, ScanningFindsTheGroupsThatEcmascriptCaptures) {
  const std::regex reference{std::string(kMessageText), std::regex::ECMAScript};
  Texts texts = test::with_mutations(kSeeds);
  const Texts random_texts = random_message_texts(20000);
  texts.insert(texts.end(), random_texts.begin(), random_texts.end());
  std::size_t matched = 0;
  for (const std::string& text : texts) {
    std::smatch expected;
    const bool expected_match = std::regex_match(text, expected, reference);
    TidyMessageGroups groups;
    ASSERT_EQ(split_tidy_message(text, groups), expected_match) << text;
    if (!expected_match) continue;
    ++matched;
    for (std::size_t i = 0; i < groups.size(); ++i) {
      ASSERT_EQ(groups[i], expected[i + 1].str()) << "group " << i + 1 << " of " << text;
    }
  }
  EXPECT_GT(matched, texts.size() / 5) << "too few texts match to prove much";
}

TEST(TidyPatterns, StartTestAgreesWithEcmascript) {
  const std::regex reference{std::string(kStartText), std::regex::ECMAScript};
  Texts lines = test::with_mutations(kSeeds);
  const Texts random_lines = random_message_texts(5000);
  lines.insert(lines.end(), random_lines.begin(), random_lines.end());
  for (const std::string& line : lines) {
    EXPECT_EQ(starts_tidy_message(line), std::regex_match(line, reference)) << line;
  }
}

// Every message text the joiner hands out for `lines`.
Texts join(const Texts& lines) {
  MessageJoiner joiner;
  Texts messages;
  std::string finished;
  for (const std::string& line : lines) {
    if (joiner.add_line(line, finished)) messages.push_back(finished);
  }
  if (joiner.finish(finished)) messages.push_back(finished);
  return messages;
}

TEST(MessageJoiner, CutsAtEveryLineThatStartsADiagnostic) {
  const struct {
    const char* name;
    Texts lines;
    Texts messages;
  } cases[] = {
      {"no line, no message", {}, {}},
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
  for (const auto& c : cases) EXPECT_EQ(join(c.lines), c.messages) << c.name;
}

TEST(MessageJoiner, HandsOutEachMessageOnceItIsComplete) {
  MessageJoiner joiner;
  std::string finished;
  std::string last;
  EXPECT_FALSE(joiner.add_line("a.c:1:1: error: e [c]", finished));
  EXPECT_FALSE(joiner.add_line("  x;", finished));
  EXPECT_TRUE(joiner.add_line("a.c:2:1: error: f [c]", finished));
  EXPECT_EQ(finished, "a.c:1:1: error: e [c]   x;");
  EXPECT_TRUE(joiner.finish(last));
  EXPECT_EQ(last, "a.c:2:1: error: f [c]");
  EXPECT_FALSE(joiner.finish(last));
}

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

TidyMessage message(std::string file, int line, std::string check, std::string summary,
                    int column = 1, std::string text = "t") {
  return {std::move(file), line, column, std::move(check), std::move(summary), std::move(text)};
}

TEST(TidyMessageLess, OrdersByFileLineCheckSummaryColumnThenText) {
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
      {"then the column", message("a.c", 1, "b", "x", 9), message("a.c", 1, "b", "x", 2),
       false, true},
      {"then the text", message("a.c", 1, "b", "x", 2, "u"), message("a.c", 1, "b", "x", 2, "t"),
       false, true},
      {"equal", message("a.c", 1, "b", "x", 2, "t"), message("a.c", 1, "b", "x", 2, "t"), false,
       false},
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

constexpr std::string_view kBuilt = "QZClangTidyVisualizer: Report has been built successfully\n";
constexpr std::string_view kNotSuccessful =
    "QZClangTidyVisualizer: Getting clang-tidy analysis result was not successful\n";

// The text of every message as it shows in the page, in page order.
Texts shown_messages(const std::string& page) {
  Texts texts;
  std::size_t at = 0;
  while ((at = page.find("<pre>\n", at)) != std::string::npos) {
    at += 6;
    const std::size_t end = page.find("\n \n            </pre>", at);
    for (std::size_t from = at; from < end;) {
      const std::size_t stop = page.find("\n\n \n", from);
      texts.push_back(page.substr(from, stop - from));
      from = stop + 4;
    }
  }
  return texts;
}

// The whole page is pinned by the end-to-end cases; here each message must
// show once, in order, whatever the input.
TEST(VisualizeClangTidy, ShowsEachKeptMessageOnceInOrder) {
  const struct {
    const char* name;
    std::string input;
    Texts shown;
  } cases[] = {
      {"a last continuation line without line feed",
       "src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]\n    int *p = 0;\n"
       "             ^",
       {"src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]     int *p = 0;"
        "              ^"}},
      {"carriage returns before line feeds are dropped",
       "src/a.cpp:1:1: warning: w [c]\r\n  x;\r\n", {"src/a.cpp:1:1: warning: w [c]   x;"}},
      {"sorted by file, duplicates removed, .hpp dropped",
       "src/b.cpp:3:1: warning: b [c]\nsrc/a.cpp:20:1: warning: a [c]\n"
       "include/x.hpp:1:1: warning: h [c]\nsrc/b.cpp:3:1: warning: b [c]\ninclude/x.h:1:1: warning: "
       "h [c]\n",
       {"include/x.h:1:1: warning: h [c]", "src/a.cpp:20:1: warning: a [c]",
        "src/b.cpp:3:1: warning: b [c]"}},
      {"a different column keeps both, by column",
       "src/a.cpp:1:9: warning: w [c]\nsrc/a.cpp:1:2: warning: w [c]\n",
       {"src/a.cpp:1:2: warning: w [c]", "src/a.cpp:1:9: warning: w [c]"}},
      {"file, then line, then check",
       "src/b.cpp:3:1: warning: w [c]\nsrc/a.cpp:20:1: warning: w [z]\n"
       "src/a.cpp:20:1: warning: w [b]\nsrc/a.cpp:4:1: warning: w [z]\n",
       {"src/a.cpp:4:1: warning: w [z]", "src/a.cpp:20:1: warning: w [b]",
        "src/a.cpp:20:1: warning: w [z]", "src/b.cpp:3:1: warning: w [c]"}},
      {"duplicates that are no neighbours in the input go too",
       "src/f.cpp:1:1: warning: x [c]\nsrc/f.cpp:1:2: warning: x [c]\n"
       "src/f.cpp:1:1: warning: x [c]\n",
       {"src/f.cpp:1:1: warning: x [c]", "src/f.cpp:1:2: warning: x [c]"}},
  };
  for (const auto& c : cases) {
    const test::FormatOutcome outcome = test::run_format("ClangTidy", c.input);
    EXPECT_TRUE(outcome.ok) << c.name;
    EXPECT_EQ(outcome.stdout_text, kBuilt) << c.name;
    EXPECT_EQ(shown_messages(outcome.output), c.shown) << c.name;
  }
}

TEST(VisualizeClangTidy, ReportsWhyNothingWasBuilt) {
  const struct {
    const char* name;
    std::string input;
    std::string first_line;
  } cases[] = {
      {"empty input", "", "QZClangTidyVisualizer: Report is empty, there are no messages\n"},
      {"only a summary line", "12 warnings generated.\n",
       " QZClangTidyVisualizer: No clang-tidy messages were found\n"},
      {"one empty line", "\n", " QZClangTidyVisualizer: No clang-tidy messages were found\n"},
      {"only dropped diagnostics", "include/x.hpp:1:1: warning: w [a]\nsrc/y.cpp:1:1: warning: w\n",
       " QZClangTidyVisualizer: No clang-tidy messages were found\n"},
  };
  for (const auto& c : cases) {
    const test::FormatOutcome outcome = test::run_format("ClangTidy", c.input);
    EXPECT_TRUE(outcome.ok) << c.name;
    EXPECT_EQ(outcome.stdout_text, c.first_line + std::string(kNotSuccessful)) << c.name;
    EXPECT_EQ(outcome.output, "") << c.name;
  }
}

}  // namespace
}  // namespace qz
