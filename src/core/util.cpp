#include "core/util.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "core/text_search.h"

namespace qz {

std::string replace_all(std::string_view text, std::string_view search,
                        std::string_view replacement) {
  if (search.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t from = 0;
  for (std::size_t at = text.find(search); at != std::string_view::npos;
       at = text.find(search, from)) {
    result.append(text.substr(from, at - from));
    result.append(replacement);
    from = at + search.size();
  }
  result.append(text.substr(from));
  return result;
}

std::string_view strip_source_root(std::string_view path) {
  constexpr std::string_view kMarker = "/Src/";
  const std::size_t at = path.find(kMarker);
  if (at == std::string_view::npos) return path;
  return path.substr(at + kMarker.size());
}

LineBreaks line_breaks(std::string_view text) {
  LineBreaks found;
  for (const char line_break : {'\n', '\r'}) {
    const void* first = std::memchr(text.data(), line_break, text.size());
    if (first == nullptr) continue;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(first) - text.data());
    found.first = std::min(found.first, at);
    const std::size_t last = find_last_byte(text, line_break, text.size());
    found.last = found.last == std::string_view::npos ? last : std::max(found.last, last);
  }
  return found;
}

std::string_view base_name(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

namespace {

std::string_view reference_for(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    default:
      return {};
  }
}

// Digit values by byte, -1 for any other byte: a table lookup instead of
// comparisons whose branches random digits would keep mispredicting.
constexpr std::array<std::int8_t, 256> digit_table(int base) {
  std::array<std::int8_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    int value = -1;
    if (c >= '0' && c <= '9') value = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') value = c - 'A' + 10;
    table[static_cast<std::size_t>(c)] = static_cast<std::int8_t>(value);
  }
  return table;
}

template <int kBase>
int digit_value(char c) {
  static constexpr std::array<std::int8_t, 256> kDigits = digit_table(kBase);
  return kDigits[static_cast<unsigned char>(c)];
}

// Accumulates in 64 bits and clamps on every step, so any number of digits
// is safe.
template <int kBase>
std::uint64_t parse_saturating(std::string_view digits, std::uint64_t max) {
  std::uint64_t value = 0;
  for (const char c : digits) {
    const int digit = digit_value<kBase>(c);
    if (digit < 0) break;
    value = std::min(value * kBase + static_cast<std::uint64_t>(digit), max);
  }
  return value;
}

}  // namespace

void append_html_escaped(std::string& out, std::string_view text) {
  // Markup characters are rare: each is searched with memchr, and the runs
  // between them go whole.
  const char* const end = text.data() + text.size();
  auto next = [end](const char* from, char c) {
    const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
  };
  const char* plain_from = text.data();
  const char* amp = next(plain_from, '&');
  const char* lt = next(plain_from, '<');
  const char* gt = next(plain_from, '>');
  for (;;) {
    const char* markup = std::min({amp, lt, gt});
    if (markup == end) break;
    out.append(plain_from, markup);
    out.append(reference_for(*markup));
    plain_from = markup + 1;
    if (markup == amp) amp = next(plain_from, '&');
    if (markup == lt) lt = next(plain_from, '<');
    if (markup == gt) gt = next(plain_from, '>');
  }
  out.append(plain_from, end);
}

std::uint32_t parse_hex_uint32(std::string_view digits) {
  return static_cast<std::uint32_t>(
      parse_saturating<16>(digits, std::numeric_limits<std::uint32_t>::max()));
}

std::uint32_t parse_decimal_uint32(std::string_view digits) {
  return static_cast<std::uint32_t>(
      parse_saturating<10>(digits, std::numeric_limits<std::uint32_t>::max()));
}

std::int32_t parse_decimal_int32(std::string_view digits) {
  return static_cast<std::int32_t>(
      parse_saturating<10>(digits, std::numeric_limits<std::int32_t>::max()));
}

DecimalText::DecimalText(std::uint64_t value) {
  size_ = static_cast<std::size_t>(
      std::to_chars(digits_.data(), digits_.data() + digits_.size(), value).ptr - digits_.data());
}

std::uint32_t TextRanks::add(std::string_view text) {
  const auto [entry, added] = places_.emplace(text, static_cast<std::uint32_t>(texts_.size()));
  if (added) texts_.push_back(text);
  return entry->second;
}

const std::uint32_t* TextRanks::find(std::string_view text) const {
  const auto entry = places_.find(text);
  return entry == places_.end() ? nullptr : &entry->second;
}

void TextRanks::number() {
  std::vector<std::uint32_t> order(texts_.size());
  for (std::uint32_t place = 0; place < order.size(); ++place) order[place] = place;
  std::sort(order.begin(), order.end(),
            [this](std::uint32_t a, std::uint32_t b) { return texts_[a] < texts_[b]; });
  rank_of_.resize(texts_.size());
  by_rank_.resize(texts_.size());
  for (std::uint32_t rank = 0; rank < order.size(); ++rank) {
    rank_of_[order[rank]] = rank;
    by_rank_[rank] = texts_[order[rank]];
  }
}

std::string hex_text(std::uint32_t value) {
  char digits[8];
  const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
  return std::string(digits, result.ptr);
}

}  // namespace qz
