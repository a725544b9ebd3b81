#include "core/text_search.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QZ_HAVE_SSE2 1
#endif

namespace qz {
namespace {

// Whether one of `texts` stands at `place` of `data`, which holds the line's
// `size` bytes (and maybe zeros after them). Blocks try places up to 15
// beyond the line's end, where the padding would match a text of zeros.
template <typename Texts>
bool a_text_stands_at(const char* data, std::size_t size, const Texts& texts, std::size_t place) {
  return place < size && std::any_of(texts.begin(), texts.end(), [&](std::string_view text) {
           return text.size() <= size - place && text_stands_at(data + place, text);
         });
}

#ifdef QZ_HAVE_SSE2
// The candidates are the places with both a text's first and its last byte,
// far fewer than the places of any one byte; sixteen places are tried at
// once, for N texts, whose bytes the compiler keeps in registers. Tries the
// places from `at` on in blocks, each starting at most at `last_block`, the
// last place from which all of a block's bytes and the longest text after
// them can be read; `at` ends at the first place not tried.
template <std::size_t N>
std::size_t find_in_blocks(const char* data, std::size_t size,
                           const std::array<std::string_view, N>& texts, std::size_t& at,
                           std::size_t last_block, std::size_t shortest) {
  __m128i firsts[N];
  __m128i lasts[N];
  std::size_t last_offsets[N];
  for (std::size_t t = 0; t < N; ++t) {
    firsts[t] = _mm_set1_epi8(texts[t].front());
    lasts[t] = _mm_set1_epi8(texts[t].back());
    last_offsets[t] = texts[t].size() - 1;
  }
  auto candidates_at = [&](std::size_t block) {
    const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + block));
    __m128i candidates = _mm_setzero_si128();
    for (std::size_t t = 0; t < N; ++t) {
      const __m128i ends =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + block + last_offsets[t]));
      candidates = _mm_or_si128(candidates, _mm_and_si128(_mm_cmpeq_epi8(starts, firsts[t]),
                                                          _mm_cmpeq_epi8(ends, lasts[t])));
    }
    return static_cast<unsigned>(_mm_movemask_epi8(candidates));
  };
  auto first_in = [&](std::size_t block, unsigned bits) {
    for (; bits != 0; bits &= bits - 1) {
      const std::size_t place = block + static_cast<std::size_t>(std::countr_zero(bits));
      if (a_text_stands_at(data, size, texts, place)) return place;
    }
    return std::string_view::npos;
  };
  // Two whole blocks a step while both fit: candidates are rare.
  for (; at + 16 <= last_block; at += 32) {
    const unsigned first_bits = candidates_at(at);
    const unsigned second_bits = candidates_at(at + 16);
    if ((first_bits | second_bits) == 0) continue;
    if (const std::size_t place = first_in(at, first_bits); place != std::string_view::npos) {
      return place;
    }
    if (const std::size_t place = first_in(at + 16, second_bits); place != std::string_view::npos) {
      return place;
    }
  }
  while (at <= last_block + 15 && at + shortest <= size) {
    // The last block may overlap the one before; places it repeats are
    // masked.
    const std::size_t block = std::min(at, last_block);
    const unsigned bits = candidates_at(block) >> (at - block) << (at - block);
    if (const std::size_t place = first_in(block, bits); place != std::string_view::npos) {
      return place;
    }
    at = block + 16;
  }
  return std::string_view::npos;
}

// find_texts for N texts.
template <std::size_t N>
std::size_t find_n_texts(std::string_view line, std::span<const std::string> text_list,
                         std::size_t from) {
  std::array<std::string_view, N> texts;
  std::copy(text_list.begin(), text_list.end(), texts.begin());
  std::size_t shortest = std::numeric_limits<std::size_t>::max();
  std::size_t longest = 0;
  for (const std::string_view text : texts) {
    shortest = std::min(shortest, text.size());
    longest = std::max(longest, text.size());
  }
  if (shortest > line.size() || from > line.size() - shortest) return std::string_view::npos;
  std::size_t at = from;
  // A short line is searched in a copy padded with zeros, so that its places
  // too are tried in blocks.
  char padded[64];
  const char* data = line.data();
  std::size_t last_block = 0;
  bool blocks = true;
  if (line.size() >= longest + 15) {
    last_block = line.size() - longest - 15;
  } else if (line.size() + longest + 15 <= sizeof padded) {
    std::memcpy(padded, line.data(), line.size());
    std::memset(padded + line.size(), 0, sizeof padded - line.size());
    data = padded;
    last_block = line.size() - shortest;
  } else {
    blocks = false;
  }
  if (blocks) {
    const std::size_t found = find_in_blocks<N>(data, line.size(), texts, at, last_block, shortest);
    if (found != std::string_view::npos) return found;
  }
  // The places no block took: those where only the shorter texts fit.
  for (; at + shortest <= line.size(); ++at) {
    if (a_text_stands_at(line.data(), line.size(), texts, at)) return at;
  }
  return std::string_view::npos;
}
#endif

}  // namespace

std::size_t find_text(std::string_view line, std::string_view text, std::size_t from) {
  const std::size_t size = text.size();
  if (size > line.size() || from > line.size() - size) return std::string_view::npos;
  const char* const data = line.data();
  if (size == 1) {
    const void* found = std::memchr(data + from, text[0], line.size() - from);
    return found == nullptr ? std::string_view::npos
                            : static_cast<std::size_t>(static_cast<const char*>(found) - data);
  }
  const std::size_t last_start = line.size() - size;
  std::size_t at = from;
#ifdef QZ_HAVE_SSE2
  if (last_start >= 15) {
    return find_in_blocks<1>(data, line.size(), {text}, at, last_start - 15, size);
  }
#endif
  for (; at <= last_start; ++at) {
    if (data[at] == text.front() && data[at + size - 1] == text.back() &&
        text_stands_at(data + at, text)) {
      return at;
    }
  }
  return std::string_view::npos;
}

std::size_t find_texts(std::string_view line, std::span<const std::string> texts,
                       std::size_t from) {
  if (texts.size() == 1) return find_text(line, texts.front(), from);
#ifdef QZ_HAVE_SSE2
  switch (texts.size()) {
    case 2:
      return find_n_texts<2>(line, texts, from);
    case 3:
      return find_n_texts<3>(line, texts, from);
    case 4:
      return find_n_texts<4>(line, texts, from);
    default:  // more than the registers hold: place by place below
      break;
  }
#endif
  if (texts.empty()) return std::string_view::npos;
  std::size_t shortest = std::numeric_limits<std::size_t>::max();
  for (const std::string& text : texts) shortest = std::min(shortest, text.size());
  for (std::size_t at = from; at + shortest <= line.size(); ++at) {
    if (a_text_stands_at(line.data(), line.size(), texts, at)) return at;
  }
  return std::string_view::npos;
}

std::size_t find_last_byte(std::string_view text, char byte, std::size_t end) {
#ifdef __GLIBC__
  const void* found = memrchr(text.data(), byte, end);
  return found == nullptr ? std::string_view::npos
                          : static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
#else
  return end == 0 ? std::string_view::npos : text.rfind(byte, end - 1);
#endif
}

}  // namespace qz
