#include "importers/qac/priority_counts.h"

#include <gtest/gtest.h>

#include "importers/qac/band_counts.h"
#include "importers/qac/qac_test_data.h"

namespace qz {
namespace {

using test::qac_record;

// Both tables count HIS messages (5300 to 5399) as HIS only.
TEST(FileCounts, HisMessagesCountOnlyAsHis) {
  const std::vector<QacRecord> records = {
      qac_record("f", 1, 9, 5299), qac_record("f", 2, 9, 5300), qac_record("f", 3, 0, 5350),
      qac_record("f", 4, 5, 5399), qac_record("f", 5, 0, 5400), qac_record("f", 6, 4, 1),
      qac_record("f", 7, 7, 2),    qac_record("f", 8, 8, 3),
  };
  const QacFileGroup group{"f", records};

  EXPECT_EQ(format_priority_counts(count_priorities(group)),
            R"("1", "0", "0", "0", "1", "0", "0", "1", "1", "1", "3")");

  const BandCounts bands = count_bands(group);
  EXPECT_EQ(bands.total, 8u);
  EXPECT_EQ(bands.prio_8_9, 2u);
  EXPECT_EQ(bands.prio_5_7, 1u);
  EXPECT_EQ(bands.prio_0_4, 2u);
  EXPECT_EQ(bands.his, 3u);
}

}  // namespace
}  // namespace qz
