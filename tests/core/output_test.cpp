#include "core/output.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace qz {
namespace {

struct Written {
  bool ok = false;
  std::string file;
  std::string echoed;
};

Written write_lines(const std::string& path, const std::vector<std::string>& lines,
                    Output::Echo echo = Output::Echo::kAfterFile) {
  Written written;
  File file = File::open_output(path);
  file.truncate_to_empty();
  Output output(file, echo);
  testing::internal::CaptureStdout();
  try {
    for (const std::string& line : lines) output.line(line);
    output.finish();
    written.ok = true;
  } catch (const RunError&) {
  }
  written.echoed = testing::internal::GetCapturedStdout();
  if (std::filesystem::is_regular_file(path)) written.file = test::read_file(path);
  return written;
}

TEST(Output, WritesEachLineToTheFileThenEchoesIt) {
  test::TempDir dir;
  const std::string path = dir.write("out.sql", "old content that must go\n");
  const Written written = write_lines(path, {"create table t (a);", "insert;", ""});
  EXPECT_TRUE(written.ok);
  EXPECT_EQ(written.file, "create table t (a);\ninsert;\n\n");
  EXPECT_EQ(written.echoed, written.file);
}

TEST(Output, ManyLinesArriveWholeInFileAndEcho) {
  test::TempDir dir;
  std::vector<std::string> lines;
  std::string expected;
  for (int i = 0; i < 200'000; ++i) {
    lines.push_back("insert into t (a) values (\"" + std::to_string(i) + "\");");
    expected += lines.back() + "\n";
  }
  const Written written = write_lines(dir.file("out.sql"), lines);
  EXPECT_TRUE(written.file == expected);
  EXPECT_TRUE(written.echoed == expected);
}

TEST(Output, WithoutEchoWritesTheFileOnly) {
  test::TempDir dir;
  const Written written = write_lines(dir.file("page.html"), {"<p>"}, Output::Echo::kNone);
  EXPECT_EQ(written.file, "<p>\n");
  EXPECT_EQ(written.echoed, "");
}

#ifndef _WIN32
TEST(Output, ADeviceThatCannotBeWrittenFailsButIsStillEchoed) {
  const Written written = write_lines("/dev/full", {"line"});
  EXPECT_FALSE(written.ok);
  EXPECT_EQ(written.echoed, "line\n");
}
#endif

}  // namespace
}  // namespace qz
