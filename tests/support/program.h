#pragma once

#include <string>
#include <string_view>

namespace qz::test {

// `text` as one word of a POSIX shell command.
std::string shell_quote(std::string_view text);

// Runs `command` through the shell and returns its exit status (128 plus the
// signal number when a signal ended it).
int run_shell(const std::string& command);

// `text` with the run's quoted date and time, as they stand in every row,
// written "<date>", "<time>", so that outputs of different runs compare.
std::string mask_timestamp(const std::string& text);

}  // namespace qz::test
