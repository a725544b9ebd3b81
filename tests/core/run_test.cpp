#include "core/run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <thread>

namespace qz {
namespace {

TEST(RunTimestamp, IsReadOnceAndKeepsItsForm) {
  const RunTimestamp first = run_timestamp();
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  const RunTimestamp& second = run_timestamp();
  EXPECT_EQ(first.date, second.date);
  EXPECT_EQ(first.time, second.time);
  EXPECT_TRUE(std::regex_match(first.date, std::regex(R"(\d{4}-\d{2}-\d{2})"))) << first.date;
  EXPECT_TRUE(std::regex_match(first.time, std::regex(R"(\d{2}:\d{2}:\d{2})"))) << first.time;
}

// Local time follows the time zone, UTC does not; both pad with zeros.
TEST(FormatTimestamp, LocalAndUtc) {
#ifndef _WIN32
  setenv("TZ", "EST5", 1);  // POSIX form: five hours behind UTC, no tz database needed
  tzset();
  // 2022-01-05 07:03:09 UTC
  const RunTimestamp local = format_local_timestamp(1641366189);
  EXPECT_EQ(local.date, "2022-01-05");
  EXPECT_EQ(local.time, "02:03:09");
  const RunTimestamp utc = format_utc_timestamp(1641366189);
  EXPECT_EQ(utc.date, "2022-01-05");
  EXPECT_EQ(utc.time, "07:03:09");
  // 2022-11-30 14:05:09 UTC
  EXPECT_EQ(format_utc_timestamp(1669817109).time, "14:05:09");
  unsetenv("TZ");
  tzset();
#endif
}

TEST(ParseEpochSeconds, TakesDecimalDigitsUpToTheYear9999) {
  const struct {
    std::string_view text;
    std::optional<long long> seconds;
  } cases[] = {
      {"0", 0},
      {"1641366189", 1641366189},
      {"253402300799", 253402300799},
      {"253402300800", std::nullopt},
      {"", std::nullopt},
      {"-1", std::nullopt},
      {"+1", std::nullopt},
      {" 1", std::nullopt},
      {"1 ", std::nullopt},
      {"1.5", std::nullopt},
      {"99999999999999999999", std::nullopt},
  };
  for (const auto& test : cases) {
    EXPECT_EQ(parse_epoch_seconds(test.text), test.seconds) << test.text;
  }
}

}  // namespace
}  // namespace qz
