#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Small helpers that several formats share: text replacement, path trimming,
// HTML escaping, saturating number parsing, and ranking and grouping records.
namespace qz {

// `text` with every occurrence of `search` replaced by `replacement`, left
// to right; inserted text is never searched again. An empty `search`
// changes nothing.
std::string replace_all(std::string_view text, std::string_view search,
                        std::string_view replacement);

// The part of `path` behind its first "/Src/" (forward slashes, exact case),
// so that rows name files relative to the source root whatever directory the
// build ran in. A path without "/Src/" is returned whole.
std::string_view strip_source_root(std::string_view path);

// Where the line breaks (line feeds and carriage returns, which "." in a
// pattern does not match) of a text lie: the first and the last, if any.
struct LineBreaks {
  std::size_t first = std::string_view::npos;
  std::size_t last = std::string_view::npos;
};
LineBreaks line_breaks(std::string_view text);

// The part of a path behind its last forward slash or backslash; the whole
// path when it has neither.
std::string_view base_name(std::string_view path);

// Appends `text` with "&", "<" and ">" written as character references, so
// that file names and messages show literally and cannot add markup.
void append_html_escaped(std::string& out, std::string_view text);

// The value of the digits at the start of `digits`; reading stops at the
// first other character, a text without leading digits gives 0. Never
// throws: a value beyond the result's range stands at its greatest value.
std::uint32_t parse_hex_uint32(std::string_view digits);  // either case
std::uint32_t parse_decimal_uint32(std::string_view digits);
std::int32_t parse_decimal_int32(std::string_view digits);

// Decimal digits of a number, held without an allocation.
class DecimalText {
 public:
  explicit DecimalText(std::uint64_t value);
  std::string_view view() const { return {digits_.data(), size_}; }

 private:
  std::array<char, 20> digits_{};
  std::size_t size_ = 0;
};

// Lower-case hexadecimal digits without prefix or leading zeros; "0" for 0.
std::string hex_text(std::uint32_t value);

// Numbers the distinct texts of many records by their place in byte order
// (unsigned), so that records sort on numbers: many share a file or a
// message, and comparing those texts again and again would cost more than
// all the rest. Add every text, then number them once. The texts are
// viewed, not copied: they must outlive the ranks.
class TextRanks {
 public:
  // The text's place among the distinct texts in the order they came.
  std::uint32_t add(std::string_view text);
  // The place of a text added before; null for a new one.
  const std::uint32_t* find(std::string_view text) const;
  void number();
  // After number(): the rank of a text, of the text at a place, and the
  // text of a rank.
  std::uint32_t operator[](std::string_view text) const { return rank_of_[places_.at(text)]; }
  std::uint32_t rank(std::uint32_t place) const { return rank_of_[place]; }
  std::string_view text(std::uint32_t rank) const { return by_rank_[rank]; }

 private:
  std::unordered_map<std::string_view, std::uint32_t> places_;
  std::vector<std::string_view> texts_;  // by place
  std::vector<std::uint32_t> rank_of_;   // by place
  std::vector<std::string_view> by_rank_;
};

// Cuts sorted records into runs of equal `key`, in order; each run views the
// records, which must outlive it.
template <typename Record, typename Key>
std::vector<std::span<const Record>> runs_of_equal_key(std::span<const Record> sorted, Key key) {
  std::vector<std::span<const Record>> runs;
  std::size_t begin = 0;
  while (begin < sorted.size()) {
    std::size_t end = begin + 1;
    while (end < sorted.size() && key(sorted[end]) == key(sorted[begin])) ++end;
    runs.push_back(sorted.subspan(begin, end - begin));
    begin = end;
  }
  return runs;
}

}  // namespace qz
