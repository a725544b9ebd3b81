#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qz::test {

// The two banner lines the program prints first on Linux.
inline constexpr std::string_view kBanner =
    "QZTestResult version 1.11 from Nov 30 2022\n"
    "Copyright (C) 2022 The QZTestResult developers\n";

// `text` as one word of a POSIX shell command.
std::string shell_quote(std::string_view text);

// Runs `command` through the shell and returns its exit status (128 plus the
// signal number when a signal ended it).
int run_shell(const std::string& command);

// `text` with the run's quoted date and time, as they stand in every row,
// written "<date>", "<time>", so that outputs of different runs compare.
std::string mask_timestamp(const std::string& text);

// The arguments of an ordinary run: input, output, the parser type and the
// descriptive options.
std::vector<std::string> run_arguments(const std::string& input, const std::string& output,
                                       std::string_view parser_type);

// The bundled example of a parser type in the folder `examples`: the file
// whose name up to the first dot is the type; empty when there is none.
std::string example_path(const std::string& examples, std::string_view parser_type);

struct ProgramResult {
  int status = -1;
  std::string stdout_text;
};

// Runs `program` with `arguments` through bash, bounded by a timeout so that
// a hang fails a test instead of stalling it. `wrapper` comes before the
// program (a resource limit, helpers in the background, which are waited
// for), `redirect` takes the place of the capture of standard output (a
// pipe; the captured text is then empty).
ProgramResult run_program(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& wrapper = "", const std::string& redirect = "");

#ifndef _WIN32
// Starts `program` with `arguments` (output discarded), waits until `ready`
// says so (polled, for at most 120 s), then kills it with SIGKILL. True when
// the signal ended it, false when it had ended before.
bool killed_when(const std::string& program, const std::vector<std::string>& arguments,
                 const std::function<bool()>& ready);
#endif

}  // namespace qz::test
