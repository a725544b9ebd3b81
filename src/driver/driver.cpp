#include "driver/driver.h"

#include <csignal>
#include <filesystem>
#include <new>
#include <system_error>

#include "core/database.h"
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

int database_failure(std::string_view reason) {
  return fail("QZTestResult error: Could not write database: " + std::string(reason),
              kStatusNoDatabase);
}

int status_of(const RunError& error) {
  switch (error.step()) {
    case RunError::Step::kReadInput:
      return fail("QZTestResult error: Could not read input file", kStatusNoInput);
    case RunError::Step::kWriteDatabase:
      return database_failure(error.what());
    case RunError::Step::kWriteOutput:
      break;
  }
  return fail("QZTestResult error: Could not write output file", kStatusNoOutput);
}

void note_skipped_lines(const LineReader& reader) {
  if (reader.skipped_lines() == 0) return;
  print_line("QZTestResult note: " + std::to_string(reader.skipped_lines()) +
             " lines longer than " + std::to_string(reader.max_line()) + " bytes were skipped");
}

// Runs the format on the open files. A failure leaves a regular output file
// empty rather than half written; the database import comes only after the
// script is complete.
int convert(const Format& format, const RunSettings& settings, File& input, File& output_file) {
  try {
    LineReader reader(input);
    Output output(output_file, format.output == OutputKind::kPage ? Output::Echo::kNone
                                                                  : Output::Echo::kAfterFile);
    try {
      std::optional<DatabaseImport> database;
      if (settings.database) database.emplace(*settings.database);
      format.import(Run{settings, reader, output, database ? &*database : nullptr});
      output.finish();
      if (database) database->commit();
    } catch (const RunError& error) {
      output.discard();
      return status_of(error);
    } catch (const std::bad_alloc&) {
      output.discard();
      throw;
    }
    note_skipped_lines(reader);
    return kStatusOk;
  } catch (const std::bad_alloc&) {
    return fail("QZTestResult error: Out of memory", kStatusOutOfMemory);
  }
}

bool same_file(const File& input, const std::optional<FileIdentity>& output) {
  return output.has_value() && input.identity() == output;
}

// Two paths that name one file, or would once it is created.
bool same_path(const std::string& a, const std::string& b) {
  const std::optional<FileIdentity> identity_a = identity_of(a);
  if (identity_a.has_value()) return identity_a == identity_of(b);
  std::error_code error_a;
  std::error_code error_b;
  const std::filesystem::path canonical_a = std::filesystem::weakly_canonical(a, error_a);
  const std::filesystem::path canonical_b = std::filesystem::weakly_canonical(b, error_b);
  return !error_a && !error_b && canonical_a == canonical_b;
}

// Why --database cannot be followed, or nothing.
std::string database_refusal(const RunSettings& settings, const Format* format, const File& input) {
  const std::string& path = *settings.database;
  if (path.empty()) return "no database file is named (--database=FILE)";
  if (format != nullptr && format->output != OutputKind::kSqlScript) {
    return "the parser type " + settings.parser_type + " writes no SQL";
  }
  if (same_file(input, identity_of(path))) return "it is the input file";
  if (same_path(path, settings.output)) return "it is the output file";
  return {};
}

}  // namespace

int run_program(const std::vector<std::string>& command_line) {
  // The output file is the product and the echo a courtesy: a console pipe
  // closed early must not end the run.
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
  const std::string program_path = command_line.empty() ? std::string() : command_line.front();
  if (const auto banner = read_banner_texts(program_path)) print_banner(*banner);

  if (!has_enough_arguments(command_line.size())) {
    print_usage();
    return kStatusUsage;
  }
  const RunSettings settings = parse_run_settings(command_line);
  if (const std::string_view option = option_with_control_character(settings); !option.empty()) {
    return fail("QZTestResult error: Option " + std::string(option) + " holds a control character",
                kStatusUsage);
  }
  run_timestamp();  // read before any file is opened: the rows carry the start of the run

  File input = File::open_input(settings.input);
  if (!input.is_open())
    return fail("QZTestResult error: Could not open input file", kStatusNoInput);
  // Checked before the output is opened, and again on the opened file before
  // it is truncated, so that the input is never lost.
  constexpr std::string_view kSameFile = "QZTestResult error: Input and output are the same file";
  if (same_file(input, identity_of(settings.output))) return fail(kSameFile, kStatusNoOutput);
  const Format* format = find_format(settings.parser_type);
  if (settings.database) {
    if (const std::string refusal = database_refusal(settings, format, input); !refusal.empty()) {
      return database_failure(refusal);
    }
  }
  File output = File::open_output(settings.output);
  if (!output.is_open())
    return fail("QZTestResult error: Could not open output file", kStatusNoOutput);
  if (same_file(input, output.identity())) return fail(kSameFile, kStatusNoOutput);
  if (!output.truncate_to_empty()) {
    return fail("QZTestResult error: Could not open output file", kStatusNoOutput);
  }

  if (format == nullptr)
    return fail("QZTestResult error: Unknown parser type", kStatusUnknownParser);
  return convert(*format, settings, input, output);
}

}  // namespace qz
