#include "core/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "support/temp_dir.h"

namespace qz {
namespace {

struct ReadResult {
  std::vector<std::string> lines;
  std::size_t skipped = 0;
};

ReadResult read_all(const std::string& content,
                    std::size_t max_line = LineReader::kDefaultMaxLine) {
  test::TempDir dir;
  File input = File::open_input(dir.write("in.txt", content));
  LineReader reader(input, max_line);
  ReadResult result;
  for (std::string_view line; reader.next(line);) result.lines.emplace_back(line);
  result.skipped = reader.skipped_lines();
  return result;
}

struct SplitCase {
  const char* name;
  std::string content;
  std::vector<std::string> lines;
};

class LineReaderSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(LineReaderSplit, SplitsAtLineFeedsAndDropsTheCarriageReturnsBeforeThem) {
  EXPECT_EQ(read_all(GetParam().content).lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineReaderSplit,
    testing::Values(SplitCase{"empty", "", {}}, SplitCase{"one_ended", "a\n", {"a"}},
                    SplitCase{"one_unended", "a", {"a"}},
                    SplitCase{"empty_lines", "\n\n", {"", ""}},
                    SplitCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
                    SplitCase{"every_cr_before_lf_dropped", "a\r\r\nb\r\r\r\n\r\n", {"a", "b", ""}},
                    SplitCase{"cr_mid_line_stays", "a\rb\n", {"a\rb"}},
                    SplitCase{"lone_cr_is_no_line_end", "a\rb", {"a\rb"}},
                    SplitCase{"unended_last_line_loses_its_crs", "a\nb\r\r", {"a", "b"}},
                    SplitCase{"crs_only_at_the_end", "a\n\r\r", {"a", ""}},
                    SplitCase{"nul_bytes",
                              std::string("a\0b\n\0", 5),
                              {std::string("a\0b", 3), std::string(1, '\0')}},
                    SplitCase{"high_bytes", "\xe9\xff\n", {"\xe9\xff"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineReader, LinesAcrossBlockBoundariesAndOfAnyLength) {
  std::vector<std::string> expected;
  std::string content;
  for (std::size_t length :
       {std::size_t{10'000'000}, std::size_t{0}, std::size_t{1}, std::size_t{262'143},
        std::size_t{262'144}, std::size_t{262'145}, std::size_t{3'000'000}}) {
    std::string line(length, 'x');
    if (length > 1) line[length / 2] = '\r';
    expected.push_back(line);
    content += line + "\r\n";
  }
  for (int i = 0; i < 100'000; ++i) {
    expected.push_back(std::to_string(i));
    content += expected.back() + "\n";
  }
  expected.emplace_back(5'000'000, 'y');
  content += expected.back();
  EXPECT_EQ(read_all(content).lines, expected);
}

TEST(LineReader, SkipsAndCountsLinesLongerThanTheLimit) {
  const std::string too_long(1'000'000, 'x');
  const ReadResult result =
      read_all("a\n" + too_long + "\nbcde\r\n12345\n" + too_long + "\r\nwxyz\r\r\nz\n" + too_long, 4);
  // The limit is on the content: carriage returns before the line feed are
  // not part of the line.
  EXPECT_EQ(result.lines, (std::vector<std::string>{"a", "bcde", "wxyz", "z"}));
  EXPECT_EQ(result.skipped, 4u);
}

// next_holding may deliver lines without the texts too (when cutting every
// line), but never loses one that holds them, whichever way it takes and
// wherever blocks and its windows (1 MiB) fall.
TEST(LineReader, NextHoldingDeliversEveryLineThatHoldsATextInOrder) {
  std::mt19937 random(7);
  std::string content;
  for (int i = 0; content.size() < 7'000'000; ++i) {
    // Mostly short lines; some long enough to span blocks.
    const std::size_t length = i % 500 == 499 ? 300'000 : random() % 90;
    for (std::size_t k = 0; k < length; ++k) content += "xy:e r\r"[random() % 7];
    if (random() % 9 == 0) content += "error:";
    if (random() % 40 == 0) content += "warn";
    content += random() % 5 == 0 ? "\r\n" : "\n";
  }
  content += "x warn";  // the last line, without a line feed
  // A text across the end of the first block read.
  content.replace(262'130, 19, "\nabcdefghijk error:\n");
  const std::vector<std::string> texts_cases[] = {{"error:", "warn"}, {"y:e"}, {":"}, {"zz"}};
  test::TempDir dir;
  const std::string path = dir.write("in.txt", content);
  for (const std::vector<std::string>& texts : texts_cases) {
    auto holding = [&](std::string_view line) {
      return std::any_of(texts.begin(), texts.end(),
                         [&](const std::string& t) { return line.find(t) != line.npos; });
    };
    std::vector<std::string> expected;
    for (const std::string& line : read_all(content).lines) {
      if (holding(line)) expected.push_back(line);
    }
    for (const auto way :
         {LineReader::Way::kChosen, LineReader::Way::kPassOver, LineReader::Way::kEveryLine}) {
      File input = File::open_input(path);
      LineReader reader(input, LineReader::kDefaultMaxLine, way);
      std::vector<std::string> delivered;
      for (std::string_view line; reader.next_holding(line, texts);) {
        if (holding(line)) delivered.emplace_back(line);
      }
      EXPECT_EQ(delivered, expected) << texts.front() << " way " << static_cast<int>(way);
    }
  }
}

TEST(LineReader, ReportsAReadErrorInsteadOfAnEnd) {
  File not_readable;  // reading a closed file fails like a failing device
  LineReader reader(not_readable);
  std::string_view line;
  EXPECT_THROW(reader.next(line), RunError);
}

}  // namespace
}  // namespace qz
