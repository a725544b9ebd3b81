#include "driver/driver.h"

#include <new>

#include "core/file.h"
#include "core/line_reader.h"
#include "core/output.h"
#include "formats/formats.h"

namespace qz {
namespace {

// Prints the driver's message for a run that ends early and returns its status.
int fail(std::string_view message, int status) {
  print_line(message);
  return status;
}

int status_of(const RunError& error) {
  switch (error.step()) {
    case RunError::Step::kReadInput:
      return fail("QZTestResult error: Could not read input file", kStatusNoInput);
    case RunError::Step::kWriteOutput:
    case RunError::Step::kWriteDatabase:
      break;
  }
  return fail("QZTestResult error: Could not write output file", kStatusNoOutput);
}

// Runs the format on the open files. A failure leaves a regular output file
// empty rather than half written.
int convert(const Format& format, const RunSettings& settings, File& input, File& output_file) {
  LineReader reader(input);
  Output output(output_file,
                format.output == OutputKind::kPage ? Output::Echo::kNone : Output::Echo::kAfterFile);
  try {
    format.import(Run{settings, reader, output});
    output.finish();
  } catch (const RunError& error) {
    output.discard();
    return status_of(error);
  } catch (const std::bad_alloc&) {
    output.discard();
    return fail("QZTestResult error: Out of memory", kStatusOutOfMemory);
  }
  return kStatusOk;
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
  run_timestamp();  // read before any file is opened: the rows carry the start of the run

  File input = File::open_input(settings.input);
  if (!input.is_open()) return fail("QZTestResult error: Could not open input file", kStatusNoInput);
  File output = File::open_output(settings.output);
  if (!output.is_open() || !output.truncate_to_empty()) {
    return fail("QZTestResult error: Could not open output file", kStatusNoOutput);
  }

  const Format* format = find_format(settings.parser_type);
  if (format == nullptr) return fail("QZTestResult error: Unknown parser type", kStatusUnknownParser);
  return convert(*format, settings, input, output);
}

}  // namespace qz
