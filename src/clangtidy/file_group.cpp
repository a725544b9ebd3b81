#include "clangtidy/file_group.h"

#include <map>
#include <utility>

namespace qz {

std::vector<FileGroup> group_messages_by_file(std::vector<TidyMessage> messages) {
  std::map<std::string, std::vector<TidyMessage>> by_path;
  for (TidyMessage& message : messages) {
    // The key is copied before the message is moved into its group.
    by_path[message.file].push_back(std::move(message));
  }
  std::vector<FileGroup> groups;
  groups.reserve(by_path.size());
  for (auto& [path, group_messages] : by_path) {
    groups.push_back(FileGroup{path, std::move(group_messages)});
  }
  return groups;
}

}  // namespace qz
