#include "input/pattern.h"

#include <re2/re2.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace qz {
namespace {

constexpr std::string_view kSpaceChars = "\\t\\n\\v\\f\\r ";

[[noreturn]] void fail(std::string_view pattern, std::string_view reason) {
  std::fprintf(stderr, "QZTestResult internal error: pattern %.*s: %.*s\n",
               static_cast<int>(pattern.size()), pattern.data(),
               static_cast<int>(reason.size()), reason.data());
  std::abort();
}

re2::RE2::Options latin1_options() {
  re2::RE2::Options options;
  options.set_encoding(re2::RE2::Options::EncodingLatin1);
  options.set_log_errors(false);
  options.set_max_mem(64 << 20);  // room for the DFA on long lines
  return options;
}

}  // namespace

std::string ecmascript_to_re2(std::string_view ecmascript) {
  std::string out;
  bool in_class = false;
  for (std::size_t i = 0; i < ecmascript.size(); ++i) {
    const char c = ecmascript[i];
    if (c == '\\' && i + 1 < ecmascript.size()) {
      const char escaped = ecmascript[++i];
      if (escaped == 's' && in_class) {
        out.append(kSpaceChars);
      } else if (escaped == 's' || escaped == 'S') {
        if (in_class) fail(ecmascript, "\\S inside a bracket expression is not supported");
        out.append(escaped == 's' ? "[" : "[^");
        out.append(kSpaceChars);
        out += ']';
      } else {
        out += c;
        out += escaped;
      }
      continue;
    }
    if (in_class) {
      if (c == '[' && i + 1 < ecmascript.size() && ecmascript[i + 1] == ':') {
        const std::size_t close = ecmascript.find(":]", i + 2);
        if (close == std::string_view::npos) fail(ecmascript, "unterminated class name");
        out.append(ecmascript.substr(i, close + 2 - i));
        i = close + 1;
        continue;
      }
      if (c == ']') in_class = false;
      out += c;
      continue;
    }
    if (c == '[') {
      in_class = true;
      out += c;
      if (i + 1 < ecmascript.size() && ecmascript[i + 1] == '^') out += ecmascript[++i];
      if (i + 1 < ecmascript.size() && ecmascript[i + 1] == ']') {
        fail(ecmascript, "empty bracket expressions are not supported");
      }
      continue;
    }
    if (c == '.') {
      out += "[^\\n\\r]";
      continue;
    }
    out += c;
  }
  return out;
}

Pattern::Pattern(std::string_view ecmascript)
    : re_(std::make_unique<re2::RE2>(ecmascript_to_re2(ecmascript), latin1_options())) {
  if (!re_->ok()) fail(ecmascript, re_->error());
}

Pattern::~Pattern() = default;

int Pattern::group_count() const { return re_->NumberOfCapturingGroups(); }

bool Pattern::matches(std::string_view line) const {
  return re_->Match(re2::StringPiece(line.data(), line.size()), 0, line.size(),
                    re2::RE2::ANCHOR_BOTH, nullptr, 0);
}

bool Pattern::match(std::string_view line, std::span<std::string_view> groups) const {
  // Asked for groups on a short line, RE2 skips its DFA and backtracks at
  // once; most lines do not match, and the DFA rejects those far faster.
  if (!matches(line)) return false;
  const std::size_t wanted = groups.size() + 1;  // submatch 0 is the whole line
  // Patterns have few groups: keep the submatches off the heap.
  std::array<re2::StringPiece, 16> small;
  std::vector<re2::StringPiece> large;
  re2::StringPiece* found = small.data();
  if (wanted > small.size()) {
    large.resize(wanted);
    found = large.data();
  }
  if (!re_->Match(re2::StringPiece(line.data(), line.size()), 0, line.size(),
                  re2::RE2::ANCHOR_BOTH, found, static_cast<int>(wanted))) {
    return false;
  }
  for (std::size_t i = 0; i < groups.size(); ++i) {
    groups[i] = found[i + 1].data() == nullptr ? std::string_view()
                                               : std::string_view(found[i + 1].data(), found[i + 1].size());
  }
  return true;
}

}  // namespace qz
