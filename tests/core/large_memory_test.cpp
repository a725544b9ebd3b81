#include "core/large_memory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace qz {
namespace {

// Small and huge-page sizes take different ways; both must hold what is
// written, also while a vector grows across the boundary.
TEST(LargeMemory, HoldsWhatIsWrittenAtEverySize) {
  std::vector<std::uint32_t, LargeAllocator<std::uint32_t>> values;
  for (std::uint32_t i = 0; i < 3'000'000; ++i) values.push_back(i);
  for (std::uint32_t i = 0; i < values.size(); i += 999) ASSERT_EQ(values[i], i);
  for (const std::size_t size :
       {std::size_t{100}, std::size_t{2} << 20, (std::size_t{5} << 20) + 3}) {
    const LargeBytes bytes = allocate_large_bytes(size);
    bytes[0] = 'a';
    bytes[size - 1] = 'z';
    EXPECT_EQ(bytes[0], 'a');
    EXPECT_EQ(bytes[size - 1], 'z');
  }
}

}  // namespace
}  // namespace qz
