#include "support/program.h"

#include <cstdlib>
#include <regex>

#include "core/util.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace qz::test {

std::string shell_quote(std::string_view text) {
  return "'" + replace_all(text, "'", "'\\''") + "'";
}

int run_shell(const std::string& command) {
  const int raw = std::system(command.c_str());
#ifdef _WIN32
  return raw;
#else
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
#endif
}

std::string mask_timestamp(const std::string& text) {
  static const std::regex timestamp(R"((['"])\d{4}-\d{2}-\d{2}\1, \1\d{2}:\d{2}:\d{2}\1)");
  return std::regex_replace(text, timestamp, "$1<date>$1, $1<time>$1");
}

}  // namespace qz::test
