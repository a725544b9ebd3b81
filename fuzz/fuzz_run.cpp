// Whole runs of one parser type on arbitrary bytes. The parser type comes
// from QZ_FUZZ_PARSER_TYPE (default: chosen by the first input byte). An SQL
// script must load into SQLite statement by statement, one to a line, and
// where every recognised line gives a row, no line may be lost. A SARIF log
// must be UTF-8 without a raw control character (JSON strings hold none),
// with one result per row where rows are findings.
#include <sqlite3.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text_encoding.h"
#include "driver/driver.h"
#include "formats/coverage.h"
#include "formats/formats.h"
#include "formats/map.h"
#include "formats/pass_fail.h"
#include "formats/warnings.h"

namespace {

std::string scratch_path(const char* what) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/qz_fuzz_" + std::to_string(getpid()) + "_" +
         what;
}

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "fuzz_run: %s\n", what.c_str());
  std::abort();
}

std::string file_text(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

template <typename Record, bool (*classify)(std::string_view, Record&)>
bool recognises(std::string_view line) {
  Record record;
  return classify(line, record);
}

using LineTest = bool (*)(std::string_view);

// The parser types whose scripts hold one row per recognised line.
std::optional<LineTest> row_per_line(std::string_view parser_type) {
  if (parser_type == "PassFail") return recognises<qz::TestResultRecord, qz::classify_test_line>;
  if (parser_type == "GCOV_Coverage") return recognises<qz::CoverageRecord, qz::classify_gcov_line>;
  if (parser_type == "Warning") return recognises<qz::WarningRecord, qz::classify_warning_line>;
  if (parser_type == "Warning_KEIL") return recognises<qz::WarningRecord, qz::classify_keil_line>;
  if (parser_type == "Warning_Tricore") {
    return recognises<qz::TricoreWarningRecord, qz::classify_tricore_line>;
  }
  if (parser_type == "Map") return recognises<qz::MapRecord, qz::classify_map_line>;
  if (parser_type == "Map_KEIL") return recognises<qz::MapRecord, qz::classify_keil_map_line>;
  return std::nullopt;
}

// Lines end at a line feed, which takes the carriage returns before it along;
// a last line without a line feed counts too, without its carriage returns.
std::size_t count_recognised(std::string_view input, LineTest recognised) {
  std::size_t count = 0;
  while (!input.empty()) {
    const std::size_t feed = input.find('\n');
    std::string_view line = input.substr(0, feed);
    while (line.ends_with('\r')) line.remove_suffix(1);
    count += recognised(line) ? 1 : 0;
    input.remove_prefix(feed == std::string_view::npos ? input.size() : feed + 1);
  }
  return count;
}

// SQL tools read a script as C text, so a NUL byte would cut it short.
// Returns the number of rows inserted.
std::size_t check_script(const std::string& script) {
  if (script.find('\0') != std::string::npos) fail("NUL byte in the script");
  if (!script.empty() && !script.ends_with('\n')) fail("script does not end with a line end");
  sqlite3* db = nullptr;
  if (sqlite3_open(":memory:", &db) != SQLITE_OK) fail("sqlite3_open failed");
  std::size_t inserts = 0;
  for (std::size_t from = 0; from < script.size();) {
    const std::size_t end = script.find('\n', from);
    const std::string statement = script.substr(from, end - from);
    from = end + 1;
    if (sqlite3_complete(statement.c_str()) == 0) fail("not one statement: " + statement);
    char* message = nullptr;
    if (sqlite3_exec(db, statement.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
      fail(std::string(message != nullptr ? message : "?") + " in: " + statement);
    }
    if (statement.starts_with("insert into")) ++inserts;
  }
  sqlite3_close(db);
  return inserts;
}

// Returns the number of results.
std::size_t check_sarif(const std::string& log) {
  if (!qz::is_valid_utf8(log)) fail("SARIF log not in UTF-8");
  for (const char c : log) {
    if (static_cast<unsigned char>(c) < 0x20 && c != '\n') fail("raw control byte in the log");
  }
  std::size_t results = 0;
  for (std::size_t at = 0; (at = log.find("{\"ruleId\": ", at)) != std::string::npos; ++at) {
    ++results;
  }
  return results;
}

void remove_scratch_files() {
  std::remove(scratch_path("input").c_str());
  std::remove(scratch_path("output").c_str());
  std::remove(scratch_path("sarif").c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The echo of every script would drown the fuzzer's own output.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  std::atexit(remove_scratch_files);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const char* fixed_type = std::getenv("QZ_FUZZ_PARSER_TYPE");
  const qz::Format* format = nullptr;
  if (fixed_type != nullptr) {
    format = qz::find_format(fixed_type);
    if (format == nullptr) fail("unknown parser type");
  } else {
    if (size == 0) return 0;
    format = &qz::kFormats[data[0] % qz::kFormats.size()];
    ++data;
    --size;
  }
  const std::string_view parser_type = format->parser_type;
  const std::string input_path = scratch_path("input");
  const std::string output_path = scratch_path("output");
  const std::string sarif_path = scratch_path("sarif");
  std::FILE* input = std::fopen(input_path.c_str(), "wb");
  if (input == nullptr) std::abort();
  std::fwrite(data, 1, size, input);
  std::fclose(input);

  // The whole program, as a build script starts it.
  std::vector<std::string> command_line{
      "QZTestResult",    "--input=" + input_path, "--output=" + output_path,
      "--platform=Hmt4", "--project_name=Fuzz",   "--tool_name=Fuzz",
      "--hash_value=0",  "--test_type=Unit",      "--parser_type=" + std::string(parser_type)};
  if (format->has_findings) command_line.push_back("--sarif=" + sarif_path);
  const int status = qz::run_program(command_line);
  if (status != 0) fail("the run ended with status " + std::to_string(status));
  const std::size_t results = format->has_findings ? check_sarif(file_text(sarif_path)) : 0;
  if (format->output != qz::OutputKind::kSqlScript) return 0;
  const std::size_t rows = check_script(file_text(output_path));
  const std::optional<LineTest> recognised = row_per_line(parser_type);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (recognised && rows != count_recognised(text, *recognised)) fail("a recognised line was lost");
  if (recognised && format->has_findings && results != rows) fail("a finding is not in the log");
  return 0;
}
