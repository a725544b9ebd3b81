#include "core/text_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qz {
namespace {

// Blocks of sixteen places, the last one overlapping, and a padded copy for
// short lines: every text must be found at every place of lines of every
// length, at the earliest, and a broken one nowhere.
TEST(TextSearch, FindsTextsAtEveryPlace) {
  const std::vector<std::vector<std::string>> searches = {
      {"b"}, {"bcd"}, {"bcd", "efghij"}, {"xy", "bcd", "efghij", "klmnopqrstuvw0123"}};
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

}  // namespace
}  // namespace qz
