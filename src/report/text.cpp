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

namespace {

// The UTF-8 of `name` cut to `longest` characters, control characters
// replaced, so that a name can neither blow up the page nor rewrite a line
// of the console (a carriage return, an escape sequence).
std::string shown_text(std::string_view name, std::size_t longest, std::string_view cut_mark) {
  const std::string utf8 = utf8_from_utf8_or_windows1252(name);
  std::string shown;
  std::size_t characters = 0;
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    // A character begins at every byte that is not a continuation byte.
    const bool begins_character = (byte & 0xC0) != 0x80;
    if (begins_character && characters++ == longest) return shown + std::string(cut_mark);
    if (byte < 0x20 || byte == 0x7F) {
      shown += "\xEF\xBF\xBD";  // U+FFFD
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace

std::string shown_name(std::string_view name, std::size_t longest) {
  return shown_text(name, longest, "...");
}

std::string short_hash(std::string_view githash, std::size_t length) {
  return shown_text(githash, length, "");
}

}  // namespace qz::report
