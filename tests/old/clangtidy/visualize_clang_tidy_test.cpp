#include "clangtidy/visualize_clang_tidy.h"

#include <gtest/gtest.h>

#include "support/run_importer.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

constexpr std::string_view kBuilt = "QZClangTidyVisualizer: Report has been built successfully\n";
constexpr std::string_view kNotSuccessful =
    "QZClangTidyVisualizer: Getting clang-tidy analysis result was not successful\n";

// The text of every message as it shows in the page, in page order.
std::vector<std::string> shown_messages(const std::string& page) {
  std::vector<std::string> texts;
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
    const auto outcome = test::run_importer(visualize_clang_tidy, test::sample_settings(), c.input);
    EXPECT_TRUE(outcome.ok) << c.name;
    EXPECT_EQ(outcome.stdout_text, c.first_line + std::string(kNotSuccessful)) << c.name;
    EXPECT_EQ(outcome.output, "") << c.name;
  }
}

TEST(VisualizeClangTidy, ShowsEachKeptMessageOnceInOrder) {
  const struct {
    const char* name;
    std::string input;
    std::vector<std::string> shown;
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
      {"markup shows literally", "a.h:1:1: warning: std::vector<int> & <b> [c]\n",
       {"a.h:1:1: warning: std::vector&lt;int&gt; &amp; &lt;b&gt; [c]"}},
  };
  for (const auto& c : cases) {
    const auto outcome = test::run_importer(visualize_clang_tidy, test::sample_settings(), c.input);
    EXPECT_TRUE(outcome.ok) << c.name;
    EXPECT_EQ(outcome.stdout_text, kBuilt) << c.name;
    EXPECT_EQ(shown_messages(outcome.output), c.shown) << c.name;
  }
}

TEST(VisualizeClangTidy, FailsWithoutTheSuccessLineWhenThePageCannotBeWritten) {
  test::TempDir dir;
  RunSettings settings = test::sample_settings();
  settings.input = dir.write("input.txt", "src/a.cpp:1:1: warning: w [c]\n");
  for (const char* output : {"/dev/full", "/nonexistent-dir/page.html"}) {
    settings.output = output;
    testing::internal::CaptureStdout();
    EXPECT_FALSE(visualize_clang_tidy(settings)) << output;
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << output;
  }
}

}  // namespace
}  // namespace qz
