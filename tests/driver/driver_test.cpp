#include "driver/driver.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "core/file.h"

namespace qz {
namespace {

// No exception may end the process without a message and a status.
TEST(Guarded, TurnsEveryFailureIntoAMessageAndAStatus) {
  const struct {
    const char* name;
    std::function<int()> step;
    int status;
    std::string message;
  } cases[] = {
      {"done", [] { return 0; }, 0, ""},
      {"run error", [] () -> int { throw RunError(RunError::Step::kWriteDatabase, "locked"); },
       kStatusNoDatabase, "QZTestResult error: Could not write database: locked\n"},
      {"out of memory", [] () -> int { throw std::bad_alloc(); }, kStatusOutOfMemory,
       "QZTestResult error: Out of memory\n"},
      {"bounds", [] { return std::vector<int>().at(3); }, kStatusInternal,
       "QZTestResult error: Internal error: "},
      {"not an exception", [] () -> int { throw 7; }, kStatusInternal,
       "QZTestResult error: Internal error: an unknown exception\n"},
  };
  for (const auto& c : cases) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(guarded(c.step), c.status) << c.name;
    EXPECT_TRUE(testing::internal::GetCapturedStdout().starts_with(c.message)) << c.name;
  }
}

}  // namespace
}  // namespace qz
