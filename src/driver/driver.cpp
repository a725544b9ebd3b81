#include "driver/driver.h"

#include <csignal>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

#include "core/console.h"
#include "core/database.h"
#include "core/database_target.h"
#include "core/file.h"
#include "core/line_reader.h"
#include "core/output.h"
#include "core/sarif.h"
#include "driver/report_mode.h"
#include "driver/version.h"
#include "formats/formats.h"

namespace qz {

int fail(std::string_view message, int status) {
  print_line(message);
  return status;
}

namespace {

int database_failure(std::string_view reason) {
  return fail("QZTestResult error: Could not write database: " + std::string(reason),
              kStatusNoDatabase);
}

int status_of(const RunError& error) {
  switch (error.step()) {
    case RunError::Step::kReadInput:
      return fail("QZTestResult error: Could not read input file", kStatusNoInput);
    case RunError::Step::kReadDatabase:
      return fail("QZTestResult error: Could not read database: " + std::string(error.what()),
                  kStatusNoDatabase);
    case RunError::Step::kWriteDatabase:
      return database_failure(error.what());
    case RunError::Step::kWriteSarif:
      return fail("QZTestResult error: Could not write SARIF file", kStatusNoOutput);
    case RunError::Step::kWriteOutput:
      break;
  }
  return fail("QZTestResult error: Could not write output file", kStatusNoOutput);
}

}  // namespace

int guarded(const std::function<int()>& step) {
  try {
    return step();
  } catch (const RunError& error) {
    return status_of(error);
  } catch (const std::bad_alloc&) {
    return fail("QZTestResult error: Out of memory", kStatusOutOfMemory);
  } catch (const std::exception& error) {
    return fail("QZTestResult error: Internal error: " + std::string(error.what()),
                kStatusInternal);
  } catch (...) {
    return fail("QZTestResult error: Internal error: an unknown exception", kStatusInternal);
  }
}

namespace {

void note_skipped_lines(const LineReader& reader) {
  if (reader.skipped_lines() == 0) return;
  print_line("QZTestResult note: " + std::to_string(reader.skipped_lines()) +
             " lines longer than " + std::to_string(reader.max_line()) + " bytes were skipped");
}

// Runs the format on the open files. The output file (and the SARIF file)
// stays open until the status is known: after any failure but the
// database's it is left empty rather than half written (a FIFO or device
// cannot be emptied); a failed database import keeps the whole script. The
// rows go into the database only after the script is complete.
int convert(const Format& format, const RunSettings& settings, File& input, File& output_file,
            File* sarif_file, Output::Echo echo) {
  int status = guarded([&] {
    LineReader reader(input);
    Output output(output_file, echo);
    std::unique_ptr<DatabaseImport> database;
    if (settings.database) database = open_database_import(*settings.database);
    std::optional<SarifLog> sarif;
    if (sarif_file != nullptr) {
      sarif.emplace(*sarif_file, settings, QZ_PRODUCT_NAME, QZ_VERSION_MAJOR_MINOR);
    }
    format.import(
        Run{settings, reader, output, database.get(), sarif ? &*sarif : nullptr});
    output.finish();
    if (sarif) sarif->finish();
    note_skipped_lines(reader);
    if (database) {
      database->commit();
      for (const std::string& note : database->notes()) print_line("QZTestResult note: " + note);
    }
    return static_cast<int>(kStatusOk);
  });
  const auto keeps_files = [&] { return status == kStatusOk || status == kStatusNoDatabase; };
  if (!keeps_files()) {
    if (sarif_file != nullptr) sarif_file->truncate_to_empty();
    output_file.truncate_to_empty();
  }
  // The SARIF file first, so that a failure to close it still empties the
  // output, which is open.
  if (sarif_file != nullptr && !sarif_file->close() && keeps_files()) {
    status = fail("QZTestResult error: Could not write SARIF file", kStatusNoOutput);
    output_file.truncate_to_empty();
  }
  if (!output_file.close() && keeps_files()) {
    status = fail("QZTestResult error: Could not write output file", kStatusNoOutput);
  }
  return status;
}

bool same_file(const File& input, const std::optional<FileIdentity>& output) {
  return output.has_value() && input.identity() == output;
}

}  // namespace

bool same_path(const std::string& a, const std::string& b) {
  const std::optional<FileIdentity> identity_a = identity_of(a);
  if (identity_a.has_value()) return identity_a == identity_of(b);
  // Absolute first: "o.sql" and "./o.sql" name one file that does not exist yet.
  std::error_code error_a;
  std::error_code error_b;
  const std::filesystem::path canonical_a =
      std::filesystem::weakly_canonical(std::filesystem::absolute(a, error_a), error_a);
  const std::filesystem::path canonical_b =
      std::filesystem::weakly_canonical(std::filesystem::absolute(b, error_b), error_b);
  return !error_a && !error_b && canonical_a == canonical_b;
}

namespace {

// Why --database cannot be followed, or nothing.
std::string database_refusal(const RunSettings& settings, const Format* format, const File& input) {
  const std::string& path = *settings.database;
  if (path.empty()) return "no database is named (--database=FILE|URI)";
  if (format != nullptr && format->output != OutputKind::kSqlScript) {
    return "the parser type " + settings.parser_type + " writes no SQL";
  }
  if (is_postgresql_uri(path)) return {};
  if (same_file(input, identity_of(path))) return "it is the input file";
  if (same_path(path, settings.output)) return "it is the output file";
  return sqlite_file_refusal(path);
}

// Why --sarif cannot be followed, or nothing: checked before any file is
// opened, so that a refused option leaves every file as it was.
std::string sarif_refusal(const RunSettings& settings, const Format* format) {
  const std::string& path = *settings.sarif;
  if (path.empty()) return "no SARIF file is named (--sarif=FILE)";
  if (format != nullptr && !format->has_findings) {
    return "the parser type " + settings.parser_type + " has no findings";
  }
  if (same_path(path, settings.input)) return "it is the input file";
  if (same_path(path, settings.output)) return "it is the output file";
  if (settings.database && !is_postgresql_uri(*settings.database) &&
      same_path(path, *settings.database)) {
    return "it is the database file";
  }
  return {};
}

// The run after the banner: checks, then the conversion.
int run_checked(const std::vector<std::string>& command_line, const RunSettings& settings,
                std::optional<File> console_output, std::optional<File> console_sarif) {
  if (!has_enough_arguments(command_line.size())) {
    print_usage();
    return kStatusUsage;
  }
  if (const std::string_view option = option_with_control_character(settings); !option.empty()) {
    return fail("QZTestResult error: Option " + std::string(option) + " holds a control character",
                kStatusUsage);
  }
  const Format* format = find_format(settings.parser_type);
  if (settings.sarif) {
    if (const std::string refusal = sarif_refusal(settings, format); !refusal.empty()) {
      return fail("QZTestResult error: Option --sarif is refused: " + refusal, kStatusUsage);
    }
  }
  if (source_date_epoch_is_malformed()) {
    return fail("QZTestResult error: SOURCE_DATE_EPOCH is not a count of seconds since 1970",
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
  if (settings.database) {
    if (const std::string refusal = database_refusal(settings, format, input); !refusal.empty()) {
      return database_failure(refusal);
    }
  }
  // Standard output carries a file of the run: the echo is left out.
  const bool console_holds_a_file = console_output || console_sarif;
  File output = console_output ? std::move(*console_output) : File::open_output(settings.output);
  if (!output.is_open())
    return fail("QZTestResult error: Could not open output file", kStatusNoOutput);
  if (same_file(input, output.identity())) return fail(kSameFile, kStatusNoOutput);
  if (!output.truncate_to_empty()) {
    return fail("QZTestResult error: Could not open output file", kStatusNoOutput);
  }

  if (format == nullptr)
    return fail("QZTestResult error: Unknown parser type", kStatusUnknownParser);
  std::optional<File> sarif;
  if (settings.sarif) {
    sarif = console_sarif ? std::move(*console_sarif) : File::open_output(*settings.sarif);
    if (!sarif->is_open() || !sarif->truncate_to_empty()) {
      return fail("QZTestResult error: Could not open SARIF file", kStatusNoOutput);
    }
  }
  const Output::Echo echo = console_holds_a_file || format->output == OutputKind::kPage
                                ? Output::Echo::kNone
                                : Output::Echo::kAfterFile;
  return convert(*format, settings, input, output, sarif ? &*sarif : nullptr, echo);
}

}  // namespace

std::vector<std::optional<File>> take_console_files(
    std::initializer_list<const std::string*> paths) {
  std::vector<std::optional<File>> files;
  const auto console = standard_output_identity();
  bool any = false;
  for (const std::string* path : paths) {
    files.emplace_back();
    if (!console || path == nullptr || console != identity_of(*path)) continue;
    files.back() = File::open_output(*path);
    any = true;
  }
  if (any) move_messages_off(*console);
  return files;
}

void print_program_banner(const std::vector<std::string>& command_line) {
  const std::string program_path = command_line.empty() ? std::string() : command_line.front();
  if (const auto banner = read_banner_texts(program_path)) print_banner(*banner);
}

int run_program(const std::vector<std::string>& command_line) {
  open_missing_standard_streams();
  // The output file is the product and the echo a courtesy: a console pipe
  // closed early must not end the run. An output that reaches the size
  // limit for files fails like any other write.
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  if (is_report_command(command_line)) return guarded([&] { return run_report(command_line); });
  return guarded([&] {
    const RunSettings settings = parse_run_settings(command_line);
    // An output or SARIF file that is standard output gets its content alone.
    auto console =
        take_console_files({&settings.output, settings.sarif ? &*settings.sarif : nullptr});
    print_program_banner(command_line);
    return run_checked(command_line, settings, std::move(console[0]), std::move(console[1]));
  });
}

}  // namespace qz
