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

TEST(BuildReportPage, OneGroupHasTheFixedShape) {
  const auto page = build_report_page({group("src/a.cpp", {"m1"})});
  // head, body, 3 list entries, blank, list end, 11 section entries, 3 closing, script, style
  ASSERT_EQ(page.size(), 23u);
  EXPECT_TRUE(page[2].ends_with("\"onclick=\"toggleInfo(0)\">")) << page[2];
  EXPECT_EQ(page[3], "                 a.cpp");
  EXPECT_EQ(page[4], "            </a>");
  EXPECT_EQ(page[5], " ");
  EXPECT_EQ(page[6], "        </ul>");
  EXPECT_TRUE(page[7].starts_with("\n        <div id=\"0\" style")) << page[7];
  EXPECT_EQ(page[8], "                     a.cpp");
  EXPECT_EQ(page[13], "m1\n");
  EXPECT_EQ(page[14], " ");
  EXPECT_EQ(page[17], "        </div>");
  EXPECT_EQ(page[20], "</body>");
  EXPECT_NE(page[21].find("all_checks < 1; all_checks++"), std::string::npos);
  EXPECT_NE(page[21].find("function collapseSidebar()"), std::string::npos);
  EXPECT_TRUE(page[22].ends_with("</style>\n\n</html>"));
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
