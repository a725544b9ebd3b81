#include <gtest/gtest.h>

#include <deque>

#include <filesystem>
#include <random>
#include <regex>

#include "formats/clang_tidy.h"
#include "formats/clang_tidy_lines.h"
#include "support/regex_differential.h"
#include "support/run_format.h"
#include "support/temp_dir.h"
#include "support/tidy_patterns.h"

namespace qz {
namespace {

using Texts = std::vector<std::string>;

// The two reference patterns run on RE2; these tests prove that they, and
// the scans that decide in their place, accept and capture exactly what the
// ECMAScript originals do.
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
  test::expect_same_as_ecmascript(test::tidy_start_pattern(), test::kTidyStartText,
                                  test::with_mutations(kSeeds));
}

TEST(TidyPatterns, MessagePatternAgreesWithEcmascript) {
  test::expect_same_as_ecmascript(test::tidy_message_pattern(), test::kTidyMessageText,
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
  const std::regex reference{std::string(test::kTidyMessageText), std::regex::ECMAScript};
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
  const std::regex reference{std::string(test::kTidyStartText), std::regex::ECMAScript};
  Texts lines = test::with_mutations(kSeeds);
  const Texts random_lines = random_message_texts(5000);
  lines.insert(lines.end(), random_lines.begin(), random_lines.end());
  for (const std::string& line : lines) {
    EXPECT_EQ(starts_tidy_message(line), std::regex_match(line, reference)) << line;
  }
}

TEST(IsRunLine, KnowsTheLinesAboutTheRunAndNothingElse) {
  const struct {
    std::string_view line;
    bool is_run_line;
  } cases[] = {
      {"1384 warnings generated.", true},
      {"1 warning generated.", true},
      {"2 errors generated.", true},
      {"1 error generated.", true},
      {"3 warnings and 1 error generated.", true},
      {"1 warning and 20 errors generated.", true},
      {"Suppressed 1380 warnings (1380 in non-user code).", true},
      {"Suppressed 1 warning (1 NOLINT).", true},
      {"Suppressed 3 warnings (2 in non-user code, 1 NOLINT).", true},
      {"Use -header-filter=.* to display errors from all non-system headers.", true},
      {"[2/5] Processing file D:\\ci\\Src\\app\\diag_session.cpp.", true},
      {"[10/120] Processing file src/a.cpp.", true},
      {"Error while processing /home/ci/src/a.cpp.", true},
      {"Found compiler error(s).", true},
      {"Found compiler errors, but -fix-errors was not specified.", true},
      {"Fixes have NOT been applied.", true},
      {"clang-tidy -p=build -quiet D:\\ci\\Src\\app\\can_driver.cpp", true},
      {"clang-tidy", true},
      {"clang-tidy\t-p=build a.cpp", true},
      {"clang-tidy-15 -p=build x.cpp", true},
      {"/usr/bin/clang-tidy-15 -p=build x.cpp", true},
      {"C:\\LLVM\\bin\\clang-tidy.exe -p=build x.cpp", true},
      {"/usr/bin/clang-tidy", true},
      // Whatever else it looks like, a run line belongs to no message.
      {"[1/2] Processing file a.cpp:1:2: warning: w [c]", true},
      // Near misses: source lines holding the words, and lines that go on.
      {"    printf(\"3 warnings generated.\\n\");", false},
      {"  // Suppressed 2 warnings (x).", false},
      {"x = clang-tidy -p;", false},
      {"  clang-tidy -p=build a.cpp", false},
      {"[2/5] Processing", false},
      {"[2/5] Processing src/a.cpp.", false},
      {"[/5] Processing file a.cpp.", false},
      {"[2/] Processing file a.cpp.", false},
      {"warnings generated.", false},
      {"many warnings generated.", false},
      {"3 warnings generated. Done", false},
      {"3 warnings generated", false},
      {"3 warnings and errors generated.", false},
      {"3 errors and 1 warning generated.", false},
      {"3 notes generated.", false},
      {"Suppressed 2 warnings (x). Done", false},
      {"Suppressed 2 warnings.", false},
      {"Suppressed warnings (x).", false},
      {"Use -system-headers to display errors from system headers as well.", false},
      {"Error while processing", false},
      {"Fixes have NOT been applied. Done", false},
      {"clang-tidy-x -p", false},
      {"clang-tidy- -p", false},
      {"clang-tidy-15.exe -p", false},
      {"clang-tidyx a.cpp", false},
      {"myclang-tidy a.cpp", false},
      {"clang-tidy:1:2: warning: w [c]", false},
      {"src/a.cpp:1:2: warning: clang-tidy [c]", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(is_run_line(c.line), c.is_run_line) << c.line;
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
       {"make: entering", "noise", "src/a.cpp:1:2: note: here", "x"},
       {"make: entering noise", "src/a.cpp:1:2: note: here x"}},
      {"a run line ends the message; it and the lines after it are left out",
       {"a.c:1:1: error: e [c]", "  x;", "Suppressed 2 warnings (2 in non-user code).", "stray",
        "  y;", "a.c:2:1: warning: w [c]", "  z;"},
       {"a.c:1:1: error: e [c]   x;", "a.c:2:1: warning: w [c]   z;"}},
      {"run lines first, then between and last",
       {"[1/2] Processing file a.c.", "noise", "a.c:1:1: error: e [c]", "clang-tidy -p=build b.c",
        "b.c:1:1: note: n [c]", "3 warnings generated.", "noise"},
       {"a.c:1:1: error: e [c]", "b.c:1:1: note: n [c]"}},
      {"a run line that looks like a diagnostic makes none",
       {"a.c:1:1: error: e [c]", "[1/2] Processing file a.cpp:1:2: warning: w [c]", "x"},
       {"a.c:1:1: error: e [c]"}},
      {"a last line that starts a diagnostic stands alone",
       {"a.c:1:1: error: e [c]", "a.c:2:1: warning: w [c]"},
       {"a.c:1:1: error: e [c]", "a.c:2:1: warning: w [c]"}},
      {"one line", {"a.h:3:4: warning: x [y]"}, {"a.h:3:4: warning: x [y]"}},
      {"empty lines are joined as empty texts",
       {"a.c:1:1: error: e [c]", "", ""},
       {"a.c:1:1: error: e [c]  "}},
      {"any path and any white space count for a start",
       {"first", "foo.hpp:1:2:\twarning:\vx", "weird:1:2: error: y", "a:1:2:warning: z",
        "a:1:2: remark: z"},
       {"first", "foo.hpp:1:2:\twarning:\vx",
        "weird:1:2: error: y a:1:2:warning: z"
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

// The summary as the text it stands for: each part followed by one blank.
std::string summary_of(const TidyMessage& message) {
  std::string summary;
  for (const TextPart part : message.summary_parts) summary.append(message.part(part)) += ' ';
  return summary;
}

TEST(ParseTidyMessage, FillsEveryField) {
  const struct {
    std::string text;
    std::string file;
    int line;
    int column;
    std::string check;
    std::string summary;
  } cases[] = {
      {"src/a.cpp:10:5: warning: use nullptr [modernize-use-nullptr]     int *p = 0;"
       "              ^",
       "src/a.cpp", 10, 5, "modernize-use-nullptr",
       "warning use nullptr  modernize-use-nullptr      int *p = 0;              ^ "},
      {"src/a.cpp:7:3: warning: subscript [x-y]     a[i] = 0;     ^", "src/a.cpp", 7, 3, "i",
       "warning subscript [x-y]     a i  = 0;     ^ "},
      {"include/x.h:1:1: error: e [c]", "include/x.h", 1, 1, "c", "error e  c  "},
      {"C:\\w\\b.c:0012:007:\tnote:\v n [a]b]", "C:\\w\\b.c", 12, 7, "a]b", "note n  a]b  "},
      {"x.h.cpp.c:1:2: warning: w [] t", "x.h.cpp.c", 1, 2, "", "warning w    t "},
      {"src/x.cpp:99999999999:2147483648: warning: huge [a]", "src/x.cpp", 2147483647, 2147483647,
       "a", "warning huge  a  "},
      {"a.c:1:2: note: x [y] b.c:3:4: warning: z [w]", "a.c:1:2: note: x [y] b.c", 3, 4, "w",
       "warning z  w  "},
  };
  for (const auto& c : cases) {
    TidyMessage actual;
    ASSERT_TRUE(parse_tidy_message(c.text, actual)) << c.text;
    EXPECT_EQ(actual.file(), c.file) << c.text;
    EXPECT_EQ(actual.line, c.line) << c.text;
    EXPECT_EQ(actual.column, c.column) << c.text;
    EXPECT_EQ(actual.check(), c.check) << c.text;
    EXPECT_EQ(summary_of(actual), c.summary) << c.text;
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
    message.text = "untouched";
    EXPECT_FALSE(parse_tidy_message(text, message)) << text;
    EXPECT_EQ(message.text, "untouched");
  }
}

TEST(ParseTidyMessage, TakesVeryLongTextsInStride) {
  const std::string filler(1'000'000, '.');
  const std::string text = "a/" + filler + "x.c:1:2: warning: " + filler + " [c] " + filler;
  TidyMessage message;
  ASSERT_TRUE(parse_tidy_message(text, message));
  EXPECT_EQ(message.file(), "a/" + filler + "x.c");
  EXPECT_EQ(message.check(), "c");
  EXPECT_EQ(summary_of(message), "warning " + filler + "  c  " + filler + " ");
}

// A message whose text holds the parts one after another (file, check,
// summary, then a tail), as tests of the ordering need them; the texts live
// as long as the test program.
TidyMessage message(std::string_view file, int line, std::string_view check,
                    std::string_view summary, int column = 1, std::string_view tail = "t") {
  static std::deque<std::string> texts;
  TidyMessage built;
  built.text = texts.emplace_back(std::string(file) + std::string(check) + std::string(summary) +
                                  std::string(tail));
  built.line = line;
  built.column = column;
  auto place = [](std::size_t begin, std::size_t size) {
    return TextPart{static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(size)};
  };
  built.file_part = place(0, file.size());
  built.check_part = place(file.size(), check.size());
  built.summary_parts = {place(file.size() + check.size(), summary.size()), {}, {}, {}};
  return built;
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
      {"then the summary", message("a.c", 1, "b", "y"), message("a.c", 1, "b", "x"), false, true},
      {"then the column", message("a.c", 1, "b", "x", 9), message("a.c", 1, "b", "x", 2), false,
       true},
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

TEST(TidyMessageEqual, ComparesFileLineColumnCheckAndText) {
  const TidyMessage base = message("a.c", 1, "c", "s", 5, "text");
  EXPECT_TRUE(tidy_message_equal(base, message("a.c", 1, "c", "s", 5, "text")));
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
// The joined source lines behind a diagnostic often hold brackets too.
TEST(TidyDiagnostic, TakesTheChecksThatEndTheFirstLine) {
  const struct {
    std::string_view text;
    std::string_view checks;
    std::string_view message;
  } cases[] = {
      {"a.cpp:1:2: warning: use nullptr [modernize-use-nullptr]     int *p = 0;",
       "modernize-use-nullptr", "use nullptr"},
      {"a.cpp:1:2: warning: bad index [cppcoreguidelines-pro-bounds-x]     buf[index] = 0;",
       "cppcoreguidelines-pro-bounds-x", "bad index"},
      {"a.cpp:1:2: warning: 'operator[]' [a-b,c.D_e-f]", "a-b,c.D_e-f", "'operator[]'"},
      {"a.cpp:1:2: warning: x [[[a-b]", "a-b", "x [["},
      {"a.cpp:1:2: note: insecure call  memcpy(&rb->data[rb->head], s);", "",
       "insecure call  memcpy(&rb->data"},
  };
  for (const auto& c : cases) {
    TidyMessage message;
    ASSERT_TRUE(parse_tidy_message(c.text, message)) << c.text;
    const TidyDiagnostic diagnostic = tidy_diagnostic(message);
    EXPECT_EQ(diagnostic.checks, c.checks) << c.text;
    EXPECT_EQ(diagnostic.message, c.message) << c.text;
  }
}

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
       "src/a.cpp:1:1: warning: w [c]\r\n  x;\r\n",
       {"src/a.cpp:1:1: warning: w [c]   x;"}},
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
      {"a header seen from three files with different run lines shows once",
       "[1/3] Processing file src/a.cpp.\nclang-tidy -p=build src/a.cpp\n5 warnings generated.\n"
       "inc/h.h:3:7: warning: w [c]\nclass H {\n      ^\n"
       "Suppressed 4 warnings (4 in non-user code).\n"
       "Use -header-filter=.* to display errors from all non-system headers.\n"
       "[2/3] Processing file src/b.cpp.\n/usr/bin/clang-tidy-15 -p=build src/b.cpp\n"
       "2 warnings generated.\ninc/h.h:3:7: warning: w [c]\nclass H {\n      ^\n"
       "Suppressed 1 warning (1 in non-user code).\n[3/3] Processing file src/c.cpp.\n"
       "C:\\LLVM\\bin\\clang-tidy.exe -p=build src/c.cpp\n1 warning generated.\n"
       "inc/h.h:3:7: warning: w [c]\nclass H {\n      ^\n",
       {"inc/h.h:3:7: warning: w [c] class H {       ^"}},
      {"stray lines after a run line are neither a message nor appended",
       "src/a.cpp:1:1: warning: w [c]\n  x;\nError while processing src/a.cpp.\nstray\n"
       "  more stray\nFixes have NOT been applied.\nsrc/a.c:2:1: note: n [c]\n",
       {"src/a.c:2:1: note: n [c]", "src/a.cpp:1:1: warning: w [c]   x;"}},
  };
  for (const auto& c : cases) {
    const test::FormatOutcome outcome = test::run_format("ClangTidy", c.input);
    EXPECT_TRUE(outcome.ok) << c.name;
    EXPECT_EQ(outcome.stdout_text, kBuilt) << c.name;
    EXPECT_EQ(shown_messages(outcome.output), c.shown) << c.name;
  }
}

// The bundled example interleaves the run lines of five files with their
// diagnostics: none may stay in a message, so the header diagnostic that two
// files report shows once, and the note in clamp.h, whose only bracket pair
// was that of a joined "[3/5]", is dropped like any note without one.
TEST(VisualizeClangTidy, ShowsTheBundledExampleWithoutItsRunLines) {
  const test::FormatOutcome outcome = test::run_format(
      "ClangTidy", test::read_file(std::filesystem::path(QZ_EXAMPLES) / "ClangTidy.txt"));
  EXPECT_EQ(outcome.stdout_text, kBuilt);
  const Texts expected = {
      R"(D:\ci\k7qx22\Src\app\can_driver.cpp:42:21: warning: use nullptr )"
      R"([modernize-use-nullptr]     uint8_t* buffer = NULL;                       ^~~~      )"
      R"(                 nullptr)",
      R"(D:\ci\k7qx22\Src\app\can_driver.cpp:57:5: warning: do not use C-style cast to )"
      R"(convert between unrelated types [cppcoreguidelines-pro-type-cstyle-cast]     auto* )"
      R"(frame = (CanFrame*)raw;     ^)",
      R"(D:\ci\k7qx22\Src\app\can_driver.cpp:88:14: warning: 16 is a magic number; consider )"
      R"(replacing it with a named constant )"
      R"([cppcoreguidelines-avoid-magic-numbers,readability-magic-numbers]     if (dlc &gt; )"
      R"(16) {               ^)",
      R"(D:\ci\k7qx22\Src\app\can_driver.h:23:7: warning: class 'CanDriver' defines a )"
      R"(non-default destructor but does not define a copy constructor, a copy assignment )"
      R"(operator, a move constructor or a move assignment operator )"
      R"([cppcoreguidelines-special-member-functions] class CanDriver {       ^)",
      R"(D:\ci\k7qx22\Src\app\diag_session.cpp:112:10: warning: use emplace_back instead of )"
      R"(push_back [modernize-use-emplace]     jobs.push_back(std::make_pair&lt;int, )"
      R"(Job*&gt;(id, job));          ^~~~~~~~~~          emplace_back()",
      R"(D:\ci\k7qx22\Src\app\diag_session.cpp:140:23: warning: 'auto *session' can be )"
      R"(declared as 'const auto *session' [readability-qualified-auto]     for (auto* )"
      R"(session : sessions_) {          ^          const)",
      R"(D:\ci\k7qx22\Src\app\diag_session.cpp:203:9: warning: do not use array subscript )"
      R"(when the index is not an integer constant expression )"
      R"([cppcoreguidelines-pro-bounds-constant-array-index]         buffer[index] = 0;      )"
      R"(   ^)",
      R"(D:\ci\k7qx22\Src\app\diag_session.cpp:231:3: error: no matching function for call )"
      R"(to 'clamp' [clang-diagnostic-error]   std::clamp(value, 0, limit);   ^~~~~~~~~~)",
      R"(D:\ci\k7qx22\Src\lib\ring_buffer.c:18:12: warning: narrowing conversion from )"
      R"('uint32_t' (aka 'unsigned int') to signed type 'int32_t' (aka 'int') is )"
      R"(implementation-defined )"
      R"([bugprone-narrowing-conversions,cppcoreguidelines-narrowing-conversions]     return )"
      R"(rb-&gt;head - rb-&gt;tail;            ^)",
      R"(D:\ci\k7qx22\Src\lib\ring_buffer.c:44:5: note: Call to function 'memcpy' is )"
      R"(insecure as it does not provide security checks introduced in the C11 standard. )"
      R"(Replace with analogous function that supports length arguments or provides boundary )"
      R"(checks such as 'memcpy_s' in case of C11     memcpy(&amp;rb-&gt;data[rb-&gt;head], )"
      R"(src, len);     ^~~~~~)",
      R"(D:\ci\k7qx22\Src\lib\ring_buffer.c:44:5: warning: Call to function 'memcpy' is )"
      R"(insecure as it does not provide security checks introduced in the C11 standard. )"
      R"(Replace with analogous function that supports length arguments or provides boundary )"
      R"(checks such as 'memcpy_s' in case of C11 )"
      R"([clang-analyzer-security.insecureAPI.DeprecatedOrUnsafeBufferHandling]     )"
      R"(memcpy(&amp;rb-&gt;data[rb-&gt;head], src, len);     ^~~~~~)",
  };
  EXPECT_EQ(shown_messages(outcome.output), expected);
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
      {"run lines and stray lines only, one of them message-like",
       "[1/1] Processing file src/a.cpp:1:2:\nwarning: w [c]\n"
       "clang-tidy -p=build src/a.cpp\nSuppressed 1 warning (1 in non-user code).\n"
       "Use -header-filter=.* to display errors from all non-system headers.\n"
       "Found compiler error(s).\nError while processing src/a.cpp.\n",
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
