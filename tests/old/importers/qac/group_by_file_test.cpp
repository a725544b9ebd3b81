#include "importers/qac/group_by_file.h"

#include <gtest/gtest.h>

#include "importers/qac/qac_test_data.h"

namespace qz {
namespace {

using test::qac_record;

TEST(GroupByFile, LargerGroupsFirstAndTiesByDescendingName) {
  const std::vector<QacRecord> records = {
      qac_record("Src_QZ\\a.c", 1, 0, 1), qac_record("Src_QZ\\a.c", 2, 0, 1),
      qac_record("Src_QZ\\b.c", 1, 0, 1), qac_record("Src_QZ\\b.c", 2, 0, 1),
      qac_record("Src_QZ\\c.c", 7, 0, 1), qac_record("Src_QZ\\d.c", 1, 0, 1),
      qac_record("Src_QZ\\d.c", 2, 0, 1), qac_record("Src_QZ\\d.c", 3, 0, 1),
      qac_record("Src_QZ\\e.c", 1, 0, 1),
  };
  const std::vector<QacFileGroup> groups = group_by_file(records);
  std::vector<std::string> order;
  for (const QacFileGroup& group : groups) {
    order.push_back(std::string(group.file_name) + ":" + std::to_string(group.records.size()));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Src_QZ\\d.c:3", "Src_QZ\\b.c:2", "Src_QZ\\a.c:2",
                                             "Src_QZ\\e.c:1", "Src_QZ\\c.c:1"}));
  ASSERT_EQ(groups[0].records.size(), 3u);
  EXPECT_EQ(groups[0].records[0].line_number, 1);
  EXPECT_EQ(groups[0].records[2].line_number, 3);
}

TEST(GroupByFile, NoRecordsGiveNoGroups) { EXPECT_TRUE(group_by_file({}).empty()); }

}  // namespace
}  // namespace qz
