#include <gtest/gtest.h>

#include <deque>

#include "core/util.h"
#include "formats/clang_tidy_page.h"
#include "support/run_format.h"

namespace qz {
namespace {

// The page itself is pinned by the end-to-end cases (numbering, base names,
// message layout, escaped message texts); these tests cover the rest.

// A message of `file` whose text is the file name, a blank and `label`; the
// texts live as long as the test program.
TidyMessage in_file(const std::string& file, const std::string& label) {
  static std::deque<std::string> texts;
  TidyMessage message;
  message.text = texts.emplace_back(file + " " + label);
  message.file_part = {0, static_cast<std::uint32_t>(file.size())};
  return message;
}

TEST(GroupMessagesByFile, OneGroupPerRunOfTheExactPathViewingTheMessages) {
  const std::vector<TidyMessage> sorted = {
      in_file("Src/util.h", "1"), in_file("lib/util.h", "2"), in_file("lib/util.h", "3"),
      in_file("src/util.h", "4"), in_file("src/util.h", "5"), in_file("\xe9/x.c", "6"),
  };
  const std::vector<FileGroup> groups = group_messages_by_file(sorted);
  std::vector<std::string> layout;
  for (const FileGroup& group : groups) {
    std::string line = std::string(group.path) + ":";
    for (const TidyMessage& message : group.messages) {
      EXPECT_GE(&message, sorted.data());
      EXPECT_LT(&message, sorted.data() + sorted.size());
      EXPECT_EQ(message.file(), group.path);
      line += " " + std::string(message.text.substr(message.file().size() + 1));
    }
    layout.push_back(line);
  }
  EXPECT_EQ(layout, (std::vector<std::string>{"Src/util.h: 1", "lib/util.h: 2 3", "src/util.h: 4 5",
                                              "\xe9/x.c: 6"}));
  EXPECT_TRUE(group_messages_by_file({}).empty());
}

TEST(WriteReportPage, EscapesFileNamesInListAndTitle) {
  const test::FormatOutcome outcome =
      test::run_format("ClangTidy", "src/<b>&.c:1:1: warning: w [c]\n");
  ASSERT_TRUE(outcome.ok);
  const std::string& page = outcome.output;
  EXPECT_NE(page.find("\n                 &lt;b&gt;&amp;.c\n"), std::string::npos) << page;
  EXPECT_NE(page.find("\n                     &lt;b&gt;&amp;.c\n"), std::string::npos) << page;
  EXPECT_EQ(page.find("<b>"), std::string::npos);
}

}  // namespace
}  // namespace qz
