#include "core/pattern.h"

#include <pcre2.h>
#include <re2/re2.h>

#include <array>
#include <bitset>

#include "core/char_class.h"
#include "core/ecmascript.h"

namespace qz {
namespace {

// PCRE2 takes the groups of lines up to this length; RE2 those of longer
// ones, where a backtracking matcher could grow slow on a crafted line.
constexpr std::size_t kLongestLineForPcre2 = 4096;
constexpr std::uint32_t kPcre2MatchLimit = 10'000;

re2::RE2::Options latin1_options() {
  re2::RE2::Options options;
  options.set_encoding(re2::RE2::Options::EncodingLatin1);
  options.set_log_errors(false);
  options.set_max_mem(64 << 20);  // room for the DFA on long lines
  return options;
}

// A byte as both engines read it: letters and digits as they are, any other
// as a hexadecimal escape.
void append_byte(std::string& out, std::size_t byte) {
  static constexpr std::string_view kHex = "0123456789abcdef";
  const char c = static_cast<char>(byte);
  if (is_alnum(c)) {
    out += c;
    return;
  }
  out += "\\x";
  out += kHex[byte >> 4];
  out += kHex[byte & 15];
}

// A set of bytes written out as ranges: what "." or [[:space:]] means is
// decided once, by the ECMAScript reading, not by each engine. A set of most
// bytes is written as the few it leaves out, as "." usually is, which
// PCRE2's JIT matches faster.
void append_bytes(std::string& out, std::string_view ecmascript, const std::bitset<256>& bytes) {
  if (bytes.none()) fail_pattern(ecmascript, "a class that matches no byte");
  const bool one = bytes.count() == 1;
  const bool negated = bytes.count() > 128;
  const std::bitset<256> written = negated ? ~bytes : bytes;
  if (!one) out += negated ? "[^" : "[";
  for (std::size_t low = 0; low < written.size(); ++low) {
    if (!written[low]) continue;
    std::size_t high = low;
    while (high + 1 < written.size() && written[high + 1]) ++high;
    append_byte(out, low);
    if (high > low) {
      out += '-';
      append_byte(out, high);
    }
    low = high;
  }
  if (!one) out += ']';
}

}  // namespace

std::string translate_ecmascript(std::string_view ecmascript) {
  std::string out;
  for (const PatternPiece& piece : parse_ecmascript(ecmascript)) {
    if (piece.kind == PatternPiece::Kind::kBytes) {
      append_bytes(out, ecmascript, piece.bytes);
    } else {
      out += piece.text;
    }
  }
  return out;
}

namespace {

// The JIT-compiled form of the pattern, anchored at both ends, or null where
// the JIT is not available (some hardened systems forbid executable memory).
pcre2_code* compile_for_jit(const std::string& translated) {
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(
      reinterpret_cast<PCRE2_SPTR>(translated.data()), translated.size(),
      PCRE2_ANCHORED | PCRE2_ENDANCHORED | PCRE2_DOLLAR_ENDONLY, &error, &offset, nullptr);
  if (code != nullptr && pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) != 0) {
    pcre2_code_free(code);
    return nullptr;
  }
  return code;
}

}  // namespace

Pattern::Pattern(std::string_view ecmascript) : literals_(ecmascript) {
  const std::string translated = translate_ecmascript(ecmascript);
  re_ = std::make_unique<re2::RE2>(translated, latin1_options());
  if (!re_->ok()) fail_pattern(ecmascript, re_->error());
  if (group_count() >= 16) fail_pattern(ecmascript, "more than 15 groups");
  pcre2_ = compile_for_jit(translated);
  if (pcre2_ == nullptr) return;
  std::uint32_t pcre2_groups = 0;
  pcre2_pattern_info(pcre2_, PCRE2_INFO_CAPTURECOUNT, &pcre2_groups);
  if (static_cast<int>(pcre2_groups) != group_count()) {
    fail_pattern(ecmascript, "engines count groups apart");
  }
  match_data_ = pcre2_match_data_create_from_pattern(pcre2_, nullptr);
  match_context_ = pcre2_match_context_create(nullptr);
  jit_stack_ = pcre2_jit_stack_create(32 << 10, 1 << 20, nullptr);
  pcre2_set_match_limit(match_context_, kPcre2MatchLimit);
  pcre2_jit_stack_assign(match_context_, nullptr, jit_stack_);
}

Pattern::~Pattern() {
  pcre2_jit_stack_free(jit_stack_);
  pcre2_match_context_free(match_context_);
  pcre2_match_data_free(match_data_);
  pcre2_code_free(pcre2_);
}

int Pattern::group_count() const { return re_->NumberOfCapturingGroups(); }

bool Pattern::matches(std::string_view line) const {
  // Without groups RE2 runs its DFA, which rejects a line in one pass.
  return literals_.may_match(line) && re_->Match(re2::StringPiece(line.data(), line.size()), 0,
                                                 line.size(), re2::RE2::ANCHOR_BOTH, nullptr, 0);
}

bool Pattern::match(std::string_view line, std::span<std::string_view> groups) const {
  if (!matches(line)) return false;
  if (line.size() <= kLongestLineForPcre2 && groups_by_pcre2(line, groups)) return true;
  return match_by_re2(line, groups);
}

bool Pattern::groups_by_pcre2(std::string_view line, std::span<std::string_view> groups) const {
  if (pcre2_ == nullptr) return false;
  const int found = pcre2_jit_match(pcre2_, reinterpret_cast<PCRE2_SPTR>(line.data()), line.size(),
                                    0, 0, match_data_, match_context_);
  if (found <= 0) return false;  // the limit was reached: RE2 takes over
  const PCRE2_SIZE* offsets = pcre2_get_ovector_pointer(match_data_);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const PCRE2_SIZE begin = offsets[2 * (i + 1)];
    groups[i] = begin == PCRE2_UNSET ? std::string_view()
                                     : line.substr(begin, offsets[2 * (i + 1) + 1] - begin);
  }
  return true;
}

bool Pattern::match_by_re2(std::string_view line, std::span<std::string_view> groups) const {
  // Patterns have few groups: keep the submatches off the heap.
  std::array<re2::StringPiece, 16> found;
  const std::size_t wanted = std::min(groups.size() + 1, found.size());  // 0 is the whole line
  if (!re_->Match(re2::StringPiece(line.data(), line.size()), 0, line.size(), re2::RE2::ANCHOR_BOTH,
                  found.data(), static_cast<int>(wanted))) {
    return false;
  }
  for (std::size_t i = 0; i + 1 < wanted; ++i) {
    groups[i] = found[i + 1].data() == nullptr
                    ? std::string_view()
                    : std::string_view(found[i + 1].data(), found[i + 1].size());
  }
  return true;
}

}  // namespace qz
