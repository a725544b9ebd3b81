#pragma once

#include <string>
#include <string_view>

namespace qz::test {

// `text` as one word of a POSIX shell command.
std::string shell_quote(std::string_view text);

// Runs `command` through the shell and returns its exit status (128 plus the
// signal number when a signal ended it).
int run_shell(const std::string& command);

}  // namespace qz::test
