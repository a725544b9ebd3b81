#include "core/file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace qz {
namespace {

TEST(File, InputMustExistAndBeNoDirectory) {
  test::TempDir dir;
  EXPECT_FALSE(File::open_input(dir.file("missing.txt")).is_open());
  EXPECT_FALSE(File::open_input(dir.path().string()).is_open());
  EXPECT_TRUE(File::open_input(dir.write("in.txt", "x")).is_open());
}

TEST(File, OutputIsCreatedButTruncatedOnlyWhenAsked) {
  test::TempDir dir;
  const std::string path = dir.write("out.txt", "kept");
  {
    File output = File::open_output(path);
    ASSERT_TRUE(output.is_open());
    EXPECT_TRUE(output.is_regular());
  }
  EXPECT_EQ(test::read_file(path), "kept");
  File output = File::open_output(path);
  EXPECT_TRUE(output.truncate_to_empty());
  EXPECT_EQ(test::read_file(path), "");
  EXPECT_FALSE(File::open_output(dir.file("missing/out.txt")).is_open());
}

}  // namespace
}  // namespace qz
