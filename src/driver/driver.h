#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/file.h"
#include "core/run.h"

namespace qz {

// Exit statuses of a run; where a status is cut to eight bits, -1 reads 255.
enum ExitStatus : int {
  kStatusOk = 0,
  kStatusGateFailed = 1,  // the report: a --fail-on condition holds
  kStatusUsage = -1,
  kStatusNoInput = -2,
  kStatusNoOutput = -3,
  kStatusUnknownParser = -4,
  kStatusOutOfMemory = -5,
  kStatusNoDatabase = -6,
  kStatusInternal = -7,
};

// One whole run: banner, command-line check, input and output checks, then
// the format chosen by the parser type. Returns the exit status.
int run_program(const std::vector<std::string>& command_line);

// Runs one step of a run and turns every way it can fail (RunError, running
// out of memory, any other exception) into the driver's message and status,
// so that no exception ends the process without one.
int guarded(const std::function<int()>& step);

// Two paths that name one file, or would once it is created (links, "./x",
// "sub/../x").
bool same_path(const std::string& a, const std::string& b);

// Opens each of `paths` (null: none) that names standard output, created
// but not yet truncated, and nothing for the others; then, if any did, moves
// the messages off standard output to standard error. The files are opened
// first: afterwards "/dev/stdout" would name the messages' new place.
std::vector<std::optional<File>> take_console_files(
    std::initializer_list<const std::string*> paths);

// Prints `message` as a line and returns `status`: a run that ends early.
int fail(std::string_view message, int status);

// The version banner of the program that `command_line` started.
void print_program_banner(const std::vector<std::string>& command_line);

// The program path plus at least six arguments.
bool has_enough_arguments(std::size_t element_count);

// Prints the usage text, one flushed line at a time.
void print_usage();

// Fills the settings from the command line, program path first. For each
// option the first element that begins with its name wins; the value is
// everything behind the name and the one character after it.
RunSettings parse_run_settings(const std::vector<std::string>& command_line);

// The name of the first descriptive option (platform, test type, project,
// tool, hash) whose value holds a byte below 0x20 other than a tab; empty
// when there is none.
std::string_view option_with_control_character(const RunSettings& settings);

// The three texts of the version banner.
struct BannerTexts {
  std::string file_name;
  std::string version;  // major.minor
  std::string notice;
};

// The banner texts of the running program, started as `program_path`: from
// the version resource of its file on Windows, from the built-in version
// data elsewhere. Nothing when the version information cannot be read.
std::optional<BannerTexts> read_banner_texts(const std::string& program_path);

// "<file name> version <major.minor> from <build date>", then the notice.
void print_banner(const BannerTexts& texts);

}  // namespace qz
