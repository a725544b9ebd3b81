#include "support/shell.h"

#include <cstdlib>

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

}  // namespace qz::test
