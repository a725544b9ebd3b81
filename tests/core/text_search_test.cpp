#include "core/text_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qz {
namespace {

// Blocks of sixteen places, the last one overlapping, and a padded copy for
// short lines: every text must be found at every place of lines of every
// length, at the earliest, and a broken one nowhere.
TEST(TextSearch, FindsTextsAtEveryPlace) {
  const std::vector<std::vector<std::string>> searches = {
      {"b"},
      {"bcd"},
      {"bcd", "efghij"},
      {"xy", "bcd", "efghij"},
      {"xy", "bcd", "efghij", "klmnopqrstuvw0123"},
      {"xy", "bcd", "efghij", "klmnopqrstuvw0123", "45"}};
  for (const std::vector<std::string>& texts : searches) {
    for (const std::string& text : texts) {
      for (std::size_t before = 0; before < 40; ++before) {
        for (std::size_t after = 0; after < 40; ++after) {
          std::string line = std::string(before, 'z') + text + std::string(after, 'z') + text;
          EXPECT_EQ(find_texts(line, texts, 0), before) << text << " in " << line;
          EXPECT_EQ(find_texts(line, texts, before + 1), before + text.size() + after)
              << text << " in " << line;
          if (texts.size() == 1) {
            EXPECT_EQ(find_text(line, text, 0), before);
          }
          line.resize(before + text.size());
          line.back() = 'z';
          EXPECT_EQ(find_texts(line, texts, 0), std::string::npos) << text << " in " << line;
        }
      }
    }
  }
}

// A short line is searched in a copy padded with zeros: texts that hold NUL
// bytes must not be found in the padding.
TEST(TextSearch, FindsNothingPastTheLineEnd) {
  using namespace std::literals;
  const std::vector<std::string> texts[] = {
      {"\0\0"s, "xx"}, {"a\0"s, "\0\0\0"s}, {"\0"s, "yz"}, {"\0\0"s, "q", "\0a"s, "r"}};
  const std::string line = "a\0\xff\xff\x61"s;
  for (const std::vector<std::string>& search : texts) {
    for (std::size_t from = 0; from <= line.size(); ++from) {
      std::size_t earliest = std::string::npos;
      for (const std::string& text : search) earliest = std::min(earliest, line.find(text, from));
      EXPECT_EQ(find_texts(line, search, from), earliest) << "from " << from;
    }
  }
}

TEST(TextSearch, FindsTheLastByteBeforeAnEnd) {
  for (std::size_t size = 0; size < 80; ++size) {
    for (std::size_t place = 0; place <= size; ++place) {
      std::string text(size, 'a');
      if (place < size) text[place] = '.';
      for (std::size_t end = 0; end <= size; ++end) {
        EXPECT_EQ(find_last_byte(text, '.', end), place < end ? place : std::string::npos);
      }
    }
  }
}

}  // namespace
}  // namespace qz
