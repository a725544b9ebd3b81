#pragma once

#include <string>
#include <vector>

#include "clangtidy/tidy_message.h"

namespace qz {

// The messages of one source file, as one section of the page.
struct FileGroup {
  std::string path;
  std::vector<TidyMessage> messages;  // in the order of the message list
};

// One group per distinct file (paths compared byte for byte), in ascending
// byte order of their paths; each group keeps its messages in list order.
std::vector<FileGroup> group_messages_by_file(std::vector<TidyMessage> messages);

}  // namespace qz
