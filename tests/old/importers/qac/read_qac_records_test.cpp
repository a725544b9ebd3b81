#include "importers/qac/read_qac_records.h"

#include <gtest/gtest.h>

#include "importers/qac/qac_test_data.h"

namespace qz {
namespace {

using test::qac_record;

std::string describe(const std::vector<QacRecord>& records) {
  std::string text;
  for (const QacRecord& r : records) {
    text += r.file_name + "(" + std::to_string(r.line_number) + ") P" + std::to_string(r.priority) +
            " M" + std::to_string(r.message_number) + " " + r.message_text + "\n";
  }
  return text;
}

TEST(SortAndDeduplicate, OrdersByNameLineMessageAndText) {
  std::vector<QacRecord> records = {
      qac_record("Src_QZ\\b.c", 1, 0, 1),        qac_record("Src_QZ\\a.cpp", 1, 0, 1),
      qac_record("Src_QZ\\a.c", 2, 0, 1),        qac_record("Src_QZ\\a.c", 10, 0, 1),
      qac_record("Src_QZ\\a.c", 2, 0, 1, "B"),   qac_record("Src_QZ\\a.c", 2, 0, 1, "\xe9"),
      qac_record("Src_QZ\\a.c", 2, 0, 900, "A"), qac_record("Src_QZ\\a.c", 2, 0, 1, "A"),
  };
  sort_and_deduplicate(records);
  EXPECT_EQ(describe(records),
            "Src_QZ\\a.c(2) P0 M1 A\n"
            "Src_QZ\\a.c(2) P0 M1 B\n"
            "Src_QZ\\a.c(2) P0 M1 Text\n"
            "Src_QZ\\a.c(2) P0 M1 \xe9\n"  // bytes compare unsigned
            "Src_QZ\\a.c(2) P0 M900 A\n"
            "Src_QZ\\a.c(10) P0 M1 Text\n"
            "Src_QZ\\a.cpp(1) P0 M1 Text\n"  // a prefix sorts first
            "Src_QZ\\b.c(1) P0 M1 Text\n");
}

TEST(SortAndDeduplicate, KeepsTheFirstOfRepeatedFindingsInInputOrder) {
  // Priority takes no part in what counts as the same finding.
  for (const int first_priority : {2, 8}) {
    const int second_priority = 10 - first_priority;
    std::vector<QacRecord> records = {
        qac_record("Src_QZ\\z.c", 5, first_priority, 10), qac_record("Src_QZ\\a.c", 1, 0, 1),
        qac_record("Src_QZ\\z.c", 5, second_priority, 10), qac_record("Src_QZ\\a.c", 1, 0, 1),
        qac_record("Src_QZ\\z.c", 5, first_priority, 10), qac_record("Src_QZ\\a.c", 1, 0, 1),
    };
    sort_and_deduplicate(records);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].priority, first_priority);
  }
}

}  // namespace
}  // namespace qz
