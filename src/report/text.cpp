#include "report/text.h"

#include <cmath>
#include <cstdio>

#include "core/text_encoding.h"

namespace qz::report {

std::string grouped(long long count) {
  const std::string digits = std::to_string(count < 0 ? -count : count);
  std::string text = count < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::string signed_count(long long change) {
  return (change < 0 ? "" : "+") + std::to_string(change);
}

std::string counted(long long count, std::string_view one, std::string_view many) {
  return grouped(count) + " " + std::string(count == 1 ? one : many);
}

double rounded_percent(double percent) { return std::round(percent * 10) / 10; }

std::string percent_text(double percent) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f%%", rounded_percent(percent));
  return text;
}

std::string signed_points(double change) {
  char text[32];
  const double rounded = rounded_percent(change);
  std::snprintf(text, sizeof text, "%+.1f", rounded == 0 ? 0.0 : rounded);
  return text;
}

std::string shown_name(std::string_view name, std::size_t longest) {
  const std::string utf8 = utf8_from_utf8_or_windows1252(name);
  std::size_t characters = 0;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    // A character begins at every byte that is not a continuation byte.
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) continue;
    if (characters++ == longest) return utf8.substr(0, i) + "...";
  }
  return utf8;
}

std::string short_hash(std::string_view githash) {
  return shown_name(githash.substr(0, std::min<std::size_t>(githash.size(), 10)));
}

}  // namespace qz::report
