#include "core/run.h"

#include <charconv>
#include <chrono>
#include <cstdlib>
#include <ctime>

namespace qz {
namespace {

#ifdef _WIN32
// 3000-12-31 23:59:59 UTC: the C runtime's calendar functions end there.
constexpr long long kLatestEpochSeconds = 32'535'215'999;
#else
// 9999-12-31 23:59:59 UTC: four-digit years only.
constexpr long long kLatestEpochSeconds = 253'402'300'799;
#endif

std::tm to_local_time(std::time_t seconds) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

std::tm to_utc_time(std::time_t seconds) {
  std::tm utc{};
#ifdef _WIN32
  gmtime_s(&utc, &seconds);
#else
  gmtime_r(&seconds, &utc);
#endif
  return utc;
}

RunTimestamp format_timestamp(const std::tm& calendar) {
  char text[64] = {};
  // The program never changes the C locale, so %X is HH:MM:SS.
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %X", &calendar);
  const std::string joined(text, length);
  const std::size_t blank = joined.find(' ');
  if (blank == std::string::npos) return {joined, {}};
  return {joined.substr(0, blank), joined.substr(blank + 1)};
}

long long seconds_now() {
  using Ticks = std::chrono::duration<long long, std::ratio<1, 10'000'000>>;  // 100 ns
  const auto ticks =
      std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch());
  return ticks.count() / 10'000'000;
}

std::string_view source_date_epoch_text() {
  const char* value = std::getenv("SOURCE_DATE_EPOCH");
  return value != nullptr ? std::string_view(value) : std::string_view();
}

RunTimestamp read_run_timestamp() {
  const std::string_view fixed = source_date_epoch_text();
  const std::optional<long long> seconds = parse_epoch_seconds(fixed);
  if (seconds) return format_utc_timestamp(*seconds);
  return format_local_timestamp(seconds_now());
}

}  // namespace

RunTimestamp format_local_timestamp(long long seconds_since_epoch) {
  return format_timestamp(to_local_time(static_cast<std::time_t>(seconds_since_epoch)));
}

RunTimestamp format_utc_timestamp(long long seconds_since_epoch) {
  return format_timestamp(to_utc_time(static_cast<std::time_t>(seconds_since_epoch)));
}

std::optional<long long> parse_epoch_seconds(std::string_view text) {
  long long seconds = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, seconds);
  if (text.empty() || text.front() == '-' || error != std::errc() || stop != end ||
      seconds > kLatestEpochSeconds) {
    return std::nullopt;
  }
  return seconds;
}

bool source_date_epoch_is_malformed() {
  const std::string_view fixed = source_date_epoch_text();
  return !fixed.empty() && !parse_epoch_seconds(fixed);
}

const RunTimestamp& run_timestamp() {
  static const RunTimestamp timestamp = read_run_timestamp();
  return timestamp;
}

}  // namespace qz
