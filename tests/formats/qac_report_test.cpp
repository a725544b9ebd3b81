#include <gtest/gtest.h>

#include "formats/qac_report.h"

namespace qz {
namespace {

// Whole reports are compared by the end-to-end cases; these tests pin the
// columns and counts of the table for any name length and number size.

QacRecord qac_record(std::string_view file_name, int priority, int message_number) {
  return {file_name, 1, priority, message_number, "Text"};
}

constexpr std::string_view kLabels[] = {"[Qac totals per file]", "[Prio 9-8]", "[Prio 7-5]",
                                        "[Prio 4-0]", "[HIS]"};

std::vector<std::size_t> label_ends(const std::string& header) {
  std::vector<std::size_t> ends;
  for (std::string_view label : kLabels) ends.push_back(header.find(label) + label.size() - 1);
  return ends;
}

std::vector<std::size_t> closing_quotes(const std::string& row) {
  std::vector<std::size_t> columns;
  bool inside = false;
  for (std::size_t i = 0; i < row.size(); ++i) {
    if (row[i] != '"') continue;
    if (inside) columns.push_back(i);
    inside = !inside;
  }
  return columns;
}

// The hyphen runs of the separator: [first, last] columns.
std::vector<std::pair<std::size_t, std::size_t>> hyphen_runs(const std::string& line) {
  std::vector<std::pair<std::size_t, std::size_t>> runs;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '-') continue;
    if (runs.empty() || runs.back().second + 1 != i) runs.push_back({i, i});
    runs.back().second = i;
  }
  return runs;
}

TEST(ReportColumns, LabelsMoveRightWithLongNamesAndRowsStay) {
  const struct {
    std::size_t longest_name;
    std::size_t name_width;
  } cases[] = {{16, 72}, {72, 72}, {75, 75}, {100, 100}};
  const std::vector<QacRecord> one = {qac_record("Src_QZ\\app\\can.c", 7, 2985)};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.longest_name);
    const std::string long_name = "Src_QZ\\" + std::string(c.longest_name - 7, 'n');
    const std::vector<QacFileGroup> groups = {{long_name, {}}, {"Src_QZ\\app\\can.c", one}};
    const ReportColumns columns = report_header(groups);
    const std::string separator = report_separator(columns);
    const std::size_t shift = c.name_width - 72;

    EXPECT_EQ(columns.name_width, c.name_width);
    EXPECT_EQ(columns.header.size(), c.name_width + 110);
    EXPECT_EQ(separator.size(), c.name_width + 110);
    EXPECT_EQ(columns.header.find("[Filename]"), 0u);
    EXPECT_EQ(label_ends(columns.header),
              (std::vector<std::size_t>{122 + shift, 141 + shift, 156 + shift, 171 + shift,
                                        181 + shift}));
    EXPECT_EQ(closing_quotes(report_row(groups[1])),
              (std::vector<std::size_t>{122, 141, 156, 171, 181}));

    const auto runs = hyphen_runs(separator);
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs[0], std::make_pair(std::size_t{0}, c.name_width + 4));
    for (std::size_t i = 0; i < 5; ++i) {
      const std::size_t start = columns.header.find(kLabels[i]);
      EXPECT_EQ(runs[i + 1], std::make_pair(start, start + kLabels[i].size() - 1)) << kLabels[i];
    }
  }
}

TEST(ReportRow, NameColumnIsEightyWideAndLongerNamesGetNoPadding) {
  const std::vector<QacRecord> one = {qac_record("x", 7, 2985)};
  const std::string counts = format_band_counts(count_bands({"x", one}));
  for (const std::size_t length : {1, 79, 80, 81, 100}) {
    const std::string name(length, 'n');
    const std::string padding(length < 80 ? 80 - length : 0, ' ');
    EXPECT_EQ(report_row({name, one}), name + padding + counts) << length;
  }
}

TEST(FormatBandCounts, RightAlignsEachQuotedCount) {
  const struct {
    BandCounts counts;
    std::string row;
  } cases[] = {
      {{1, 0, 1, 0, 0},
       std::string(40, ' ') + "\"1\"" + std::string(16, ' ') + "\"0\"" + std::string(12, ' ') +
           "\"1\"" + std::string(12, ' ') + "\"0\"" + std::string(7, ' ') + "\"0\""},
      {{12345, 345, 6000, 0, 12345678},
       std::string(36, ' ') + "\"12345\"" + std::string(16, ' ') + "\"0\"" + std::string(9, ' ') +
           "\"6000\"" + std::string(10, ' ') + "\"345\"" + "\"12345678\""},
      // Too many digits for a field: the row gets longer instead of losing digits.
      {{0, 0, 0, 0, 123456789},
       std::string(40, ' ') + "\"0\"" + std::string(16, ' ') + "\"0\"" + std::string(12, ' ') +
           "\"0\"" + std::string(12, ' ') + "\"0\"" + "\"123456789\""},
  };
  for (const auto& c : cases) EXPECT_EQ(format_band_counts(c.counts), c.row);
}

TEST(CountBands, HisMessagesCountOnlyAsHis) {
  const std::vector<QacRecord> records = {
      qac_record("f", 9, 5299), qac_record("f", 9, 5300), qac_record("f", 0, 5350),
      qac_record("f", 5, 5399), qac_record("f", 0, 5400), qac_record("f", 4, 1),
      qac_record("f", 7, 2),    qac_record("f", 8, 3),
  };
  const BandCounts bands = count_bands({"f", records});
  EXPECT_EQ(bands.total, 8u);
  EXPECT_EQ(bands.prio_8_9, 2u);
  EXPECT_EQ(bands.prio_5_7, 1u);
  EXPECT_EQ(bands.prio_0_4, 2u);
  EXPECT_EQ(bands.his, 3u);
}

}  // namespace
}  // namespace qz
