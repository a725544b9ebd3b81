#include "importers/qac/classify_qac_line.h"

#include <array>
#include <charconv>
#include <limits>

#include "importers/qac/source_relative_name.h"

namespace qz {
namespace {

// The pattern guarantees decimal digits only; a number too large for 32 bits
// keeps the finding and stands at the greatest value instead of wrapping.
std::int32_t saturated_number(std::string_view digits) {
  std::int32_t value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec == std::errc::result_out_of_range) return std::numeric_limits<std::int32_t>::max();
  return value;
}

}  // namespace

const Pattern& qac_line_pattern() {
  static const Pattern pattern(kQacLinePattern);
  return pattern;
}

bool classify_qac_line(std::string_view line, QacRecord& record) {
  // A line without the source root cannot give a finding, and this test is
  // far cheaper than the captures of the pattern.
  if (line.find(kSourceRoot) == std::string_view::npos) return false;
  std::array<std::string_view, 7> groups;
  if (!qac_line_pattern().match(line, groups)) return false;
  const std::string_view file_name = source_relative_name(groups[0]);
  if (file_name.empty()) return false;
  record.file_name.assign(file_name);
  record.line_number = saturated_number(groups[2]);
  record.priority = saturated_number(groups[4]);
  record.message_number = saturated_number(groups[5]);
  record.message_text.assign(groups[6]);
  return true;
}

}  // namespace qz
