#include "clangtidy/build_report_page.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace qz {
namespace {

FileGroup group(std::string path, std::vector<std::string> texts) {
  FileGroup g{std::move(path), {}};
  for (std::string& text : texts) {
    TidyMessage message;
    message.file = g.path;
    message.text = std::move(text);
    g.messages.push_back(std::move(message));
  }
  return g;
}

std::size_t count(const std::vector<std::string>& page, std::string_view what) {
  std::size_t found = 0;
  for (const std::string& entry : page) {
    for (auto at = entry.find(what); at != std::string::npos; at = entry.find(what, at + 1)) {
      ++found;
    }
  }
  return found;
}

TEST(BuildReportPage, NumbersGroupsInTheGivenOrder) {
  const auto page = build_report_page({group("b/z.c", {"1", "2"}), group("lib/util.h", {"3"}),
                                       group("..\\src\\util.h", {"4"})});
  for (const char* expected : {"toggleInfo(0)", "toggleInfo(1)", "toggleInfo(2)",
                               "<div id=\"0\"", "<div id=\"1\"", "<div id=\"2\""}) {
    EXPECT_EQ(count(page, expected), 1u) << expected;
  }
  EXPECT_EQ(count(page, "toggleInfo(3)"), 0u);
  EXPECT_EQ(count(page, "all_checks < 3;"), 1u);
  EXPECT_EQ(count(page, "util.h"), 4u) << "both util.h files, in list and title";
  EXPECT_EQ(count(page, "lib/") + count(page, "\\src\\"), 0u) << "only base names are shown";
  const auto first_section = std::find(page.begin(), page.end(), "1\n");
  ASSERT_NE(first_section, page.end());
  EXPECT_EQ(*(first_section + 1), " ");
  EXPECT_EQ(*(first_section + 2), "2\n");
}

TEST(BuildReportPage, EscapesFileNamesAndTexts) {
  const auto page = build_report_page({group("src/<b>&.c", {"std::vector<int> & x"})});
  EXPECT_EQ(page[3], "                 &lt;b&gt;&amp;.c");
  EXPECT_EQ(page[8], "                     &lt;b&gt;&amp;.c");
  EXPECT_EQ(page[13], "std::vector&lt;int&gt; &amp; x\n");
  EXPECT_EQ(count(page, "<int>"), 0u);
}

}  // namespace
}  // namespace qz
