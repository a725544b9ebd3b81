#include "clangtidy/collect_tidy_messages.h"

#include <string>

#include "clangtidy/join_message_lines.h"
#include "clangtidy/parse_tidy_message.h"
#include "clangtidy/tidy_message_order.h"
#include "output/console.h"

namespace qz {
namespace {

void keep_if_parsed(std::string_view text, std::vector<TidyMessage>& messages) {
  TidyMessage message;
  if (parse_tidy_message(text, message)) messages.push_back(std::move(message));
}

}  // namespace

bool collect_tidy_messages(LineReader& input, std::vector<TidyMessage>& messages) {
  MessageJoiner joiner;
  std::string finished;
  std::string_view line;
  while (input.next(line)) {
    if (add_message_line(joiner, line, finished)) keep_if_parsed(finished, messages);
  }
  if (!finish_message(joiner, finished)) {
    print_line("QZClangTidyVisualizer: Report is empty, there are no messages");
    return false;
  }
  keep_if_parsed(finished, messages);
  if (messages.empty()) {
    print_line(" QZClangTidyVisualizer: No clang-tidy messages were found");
    return false;
  }
  sort_and_remove_duplicates(messages);
  return true;
}

}  // namespace qz
