#include "core/run.h"

#include <chrono>
#include <ctime>

namespace qz {
namespace {

std::tm to_local_time(std::time_t seconds) {
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

long long seconds_now() {
  using Ticks = std::chrono::duration<long long, std::ratio<1, 10'000'000>>;  // 100 ns
  const auto ticks =
      std::chrono::duration_cast<Ticks>(std::chrono::system_clock::now().time_since_epoch());
  return ticks.count() / 10'000'000;
}

}  // namespace

RunTimestamp format_local_timestamp(long long seconds_since_epoch) {
  const std::tm local = to_local_time(static_cast<std::time_t>(seconds_since_epoch));
  char text[64] = {};
  // The program never changes the C locale, so %X is HH:MM:SS.
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %X", &local);
  const std::string joined(text, length);
  const std::size_t blank = joined.find(' ');
  if (blank == std::string::npos) return {joined, {}};
  return {joined.substr(0, blank), joined.substr(blank + 1)};
}

const RunTimestamp& run_timestamp() {
  static const RunTimestamp timestamp = format_local_timestamp(seconds_now());
  return timestamp;
}

}  // namespace qz
