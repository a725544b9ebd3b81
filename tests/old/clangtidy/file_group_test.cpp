#include "clangtidy/file_group.h"

#include <gtest/gtest.h>

#include "clangtidy/base_name.h"
#include "clangtidy/html_escape.h"

namespace qz {
namespace {

TidyMessage in_file(std::string file, std::string text) {
  TidyMessage message;
  message.file = std::move(file);
  message.text = std::move(text);
  return message;
}

TEST(GroupMessagesByFile, OneGroupPerExactPathInByteOrderKeepingListOrder) {
  const std::vector<FileGroup> groups = group_messages_by_file({
      in_file("src/util.h", "1"),
      in_file("lib/util.h", "2"),
      in_file("src/util.h", "3"),
      in_file("Src/util.h", "4"),
      in_file("\xe9/x.c", "5"),
      in_file("lib/util.h", "6"),
  });
  std::vector<std::string> layout;
  for (const FileGroup& group : groups) {
    std::string line = group.path + ":";
    for (const TidyMessage& message : group.messages) {
      EXPECT_EQ(message.file, group.path);
      line += " " + message.text;
    }
    layout.push_back(line);
  }
  EXPECT_EQ(layout, (std::vector<std::string>{"Src/util.h: 4", "lib/util.h: 2 6",
                                              "src/util.h: 1 3", "\xe9/x.c: 5"}));
  EXPECT_TRUE(group_messages_by_file({}).empty());
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

}  // namespace
}  // namespace qz
