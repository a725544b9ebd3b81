#include "driver/run_program.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "driver/banner.h"
#include "driver/dispatch.h"
#include "driver/run_settings.h"
#include "output/console.h"

namespace qz {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A directory opens for reading on some systems but is no input file.
FileHandle open_input_file(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return nullptr;
  return FileHandle(std::fopen(path.c_str(), "rb"));
}

// Creates the output or truncates it to empty.
bool can_create_output(const std::string& path) {
  FileHandle file(std::fopen(path.c_str(), "w"));
  return file != nullptr;
}

}  // namespace

int run_program(const std::vector<std::string>& command_line) {
  const std::string program_path = command_line.empty() ? std::string() : command_line.front();
  if (const auto banner = read_banner_texts(program_path)) print_banner(*banner);

  if (!has_enough_arguments(command_line.size())) {
    print_usage();
    return kStatusUsage;
  }
  const RunSettings settings = parse_run_settings(command_line);

  // Held open (unread) while the importer runs, which opens the input again.
  const FileHandle input = open_input_file(settings.input);
  if (!input) {
    print_line("QZTestResult error: Could not open input file");
    return kStatusNoInput;
  }
  if (!can_create_output(settings.output)) {
    print_line("QZTestResult error: Could not open output file");
    return kStatusNoOutput;
  }

  const Importer importer = find_importer(settings.parser_type);
  if (importer == nullptr) {
    print_line("QZTestResult error: Unknown parser type");
    return kStatusUnknownParser;
  }
  if (!importer(settings)) {
    print_line("QZTestResult error: Could not write output file");
    return kStatusNoOutput;
  }
  return kStatusOk;
}

}  // namespace qz
