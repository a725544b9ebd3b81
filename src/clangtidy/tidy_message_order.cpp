#include "clangtidy/tidy_message_order.h"

#include <algorithm>

namespace qz {

bool tidy_message_less(const TidyMessage& a, const TidyMessage& b) {
  if (a.file != b.file) return a.file < b.file;
  if (a.line != b.line) return a.line < b.line;
  if (a.check != b.check) return a.check < b.check;
  return a.summary < b.summary;
}

bool tidy_message_equal(const TidyMessage& a, const TidyMessage& b) {
  return a.file == b.file && a.line == b.line && a.column == b.column && a.check == b.check &&
         a.text == b.text;
}

void sort_and_remove_duplicates(std::vector<TidyMessage>& messages) {
  std::stable_sort(messages.begin(), messages.end(), tidy_message_less);
  messages.erase(std::unique(messages.begin(), messages.end(), tidy_message_equal),
                 messages.end());
}

}  // namespace qz
