#include "support/database_runs.h"

#include <filesystem>

namespace qz::test {

std::vector<std::string> with_database(std::vector<std::string> arguments,
                                       const std::string& target) {
  arguments.push_back("--database=" + target);
  return arguments;
}

std::string table_of(const std::string& script) {
  constexpr std::size_t kStart = std::string_view("create table if not exists ").size();
  return script.substr(kStart, script.find(" (") - kStart);
}

std::string warning_lines(std::size_t count, std::string_view tag) {
  std::string text;
  for (std::size_t i = 0; i < count; ++i) {
    text += "../Src/" + std::string(tag) + ".c:" + std::to_string(i) + ":1: warning: w\n";
  }
  return text;
}

}  // namespace qz::test
