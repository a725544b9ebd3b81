#include "support/regex_differential.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>

namespace qz::test {
namespace {

std::string printable(std::string_view text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
      out += escaped;
    }
  }
  return out;
}

void add_variants(const std::string& seed, std::vector<std::string>& out) {
  const std::size_t n = seed.size();
  const std::size_t middle = n / 2;
  auto inserted = [&](std::size_t at, std::string_view what) {
    std::string s = seed;
    s.insert(at, what);
    return s;
  };
  out.push_back(inserted(middle, "\r"));
  out.push_back(seed + "\r");
  out.push_back(inserted(middle, "\t"));
  out.push_back(inserted(middle, "\xe9"));
  out.push_back(inserted(middle, "\xa0"));
  out.push_back(seed + " ");
  out.push_back(" " + seed);
  out.push_back("\t" + seed);
  out.push_back(seed + seed);
  out.push_back(seed.substr(0, middle));
  for (char blank_like : std::string("\t\v\f\r\xa0")) {
    std::string s = seed;
    if (const auto blank = s.find(' '); blank != std::string::npos) {
      s[blank] = blank_like;
      out.push_back(s);
    }
    if (const auto blank = s.rfind(' '); blank != std::string::npos) {
      s[blank] = blank_like;
      out.push_back(s);
    }
  }
  // Deleting, doubling and swapping at a spread of positions.
  const std::size_t step = n > 24 ? n / 24 : 1;
  for (std::size_t i = 0; i < n; i += step) {
    std::string deleted = seed;
    deleted.erase(i, 1);
    out.push_back(deleted);
    std::string doubled = seed;
    doubled.insert(i, 1, seed[i]);
    out.push_back(doubled);
    if (i + 1 < n) {
      std::string swapped = seed;
      std::swap(swapped[i], swapped[i + 1]);
      out.push_back(swapped);
    }
  }
}

bool holds_a_needed_text(const Pattern& pattern, std::string_view line) {
  const auto needed = pattern.needed_texts();
  return needed.empty() || std::any_of(needed.begin(), needed.end(), [&](const std::string& text) {
           return line.find(text) != std::string_view::npos;
         });
}

// Appends to `matching` the lines that match.
void expect_lines(const Pattern& pattern, const std::regex& reference,
                  const std::vector<std::string>& lines, std::vector<std::string>& matching) {
  std::vector<std::string_view> groups(reference.mark_count());
  for (const std::string& line : lines) {
    std::smatch expected;
    const bool expected_match = std::regex_match(line, expected, reference);
    const bool actual_match = pattern.match(line, groups);
    ASSERT_EQ(actual_match, expected_match) << "line \"" << printable(line) << "\"";
    if (!expected_match) continue;
    matching.push_back(line);
    // The line reader passes over lines without one.
    ASSERT_TRUE(holds_a_needed_text(pattern, line)) << "needed texts of \"" << printable(line);
    for (std::size_t i = 0; i < groups.size(); ++i) {
      const auto& want = expected[i + 1];
      EXPECT_EQ(groups[i].data() != nullptr, want.matched)
          << "participation of group " << i + 1 << " on \"" << printable(line) << "\"";
      EXPECT_EQ(std::string(groups[i]), want.str())
          << "group " << i + 1 << " on \"" << printable(line) << "\"";
    }
  }
}

}  // namespace

void expect_same_as_ecmascript(const Pattern& pattern, std::string_view ecmascript,
                               const std::vector<std::string>& lines) {
  const std::regex reference{std::string(ecmascript), std::regex::ECMAScript};
  ASSERT_EQ(pattern.group_count(), static_cast<int>(reference.mark_count()))
      << "pattern " << ecmascript;
  std::vector<std::string> matching;
  expect_lines(pattern, reference, lines, matching);
  // Random edits of matching lines over the pattern's own bytes find near
  // misses that the fast path might take for misses.
  matching.resize(std::min<std::size_t>(matching.size(), 40));
  std::vector<std::string> more;
  expect_lines(pattern, reference,
               with_random_edits(matching, std::string(ecmascript) + " \t\r", 100), more);
}

std::vector<std::string> with_random_edits(const std::vector<std::string>& seeds,
                                           std::string_view alphabet, int per_seed) {
  std::mt19937 random(7);
  std::vector<std::string> out;
  for (const std::string& seed : seeds) {
    for (int n = 0; n < per_seed; ++n) {
      std::string line = seed;
      for (int edits = 1 + static_cast<int>(random() % 3); edits > 0; --edits) {
        const std::size_t at = random() % (line.size() + 1);
        const char byte = alphabet[random() % alphabet.size()];
        const unsigned edit = random() % 3;
        if (edit == 0) {
          line.insert(at, 1, byte);
        } else if (at < line.size() && edit == 1) {
          line[at] = byte;
        } else if (at < line.size()) {
          line.erase(at, 1);
        }
      }
      out.push_back(std::move(line));
    }
  }
  return out;
}

std::vector<std::string> with_mutations(const std::vector<std::string>& seeds) {
  std::vector<std::string> out;
  for (const std::string& seed : seeds) {
    out.push_back(seed);
    add_variants(seed, out);
  }
  out.emplace_back();
  return out;
}

}  // namespace qz::test

namespace qz::test {

void expect_line_formats(const std::vector<LineFormatTable>& tables) {
  for (const LineFormatTable& table : tables) {
    SCOPED_TRACE(table.name);
    std::vector<std::string> seeds;
    for (const auto& [line, expected] : table.lines) {
      EXPECT_EQ(table.classify(line), expected) << line;
      seeds.push_back(line);
    }
    expect_same_as_ecmascript(table.pattern(), table.ecmascript, with_mutations(seeds));
  }
}

}  // namespace qz::test
