// Whole runs of one parser type on arbitrary bytes. The parser type comes
// from QZ_FUZZ_PARSER_TYPE (default: chosen by the first input byte).
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "driver/dispatch.h"

namespace {

constexpr std::array<std::string_view, 11> kParserTypes{
    "ClangTidy", "PassFail", "CTC_Coverage", "GCOV_Coverage", "QAC", "QAC_full_report",
    "Warning", "Warning_KEIL", "Warning_Tricore", "Map", "Map_KEIL"};

std::string scratch_path(const char* what) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/qz_fuzz_" + std::to_string(getpid()) +
         "_" + what;
}

void remove_scratch_files() {
  std::remove(scratch_path("input").c_str());
  std::remove(scratch_path("output").c_str());
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
  std::string_view parser_type;
  if (fixed_type != nullptr) {
    parser_type = fixed_type;
  } else {
    if (size == 0) return 0;
    parser_type = kParserTypes[data[0] % kParserTypes.size()];
    ++data;
    --size;
  }
  qz::RunSettings settings;
  settings.input = scratch_path("input");
  settings.output = scratch_path("output");
  settings.parser_type = std::string(parser_type);
  settings.platform = "Hmt4";
  settings.project_name = "Fuzz";
  settings.tool_name = "Fuzz";
  settings.hash_value = "0";
  settings.test_type = "Unit";

  std::FILE* input = std::fopen(settings.input.c_str(), "wb");
  if (input == nullptr) std::abort();
  std::fwrite(data, 1, size, input);
  std::fclose(input);

  const qz::Importer importer = qz::find_importer(parser_type);
  if (importer == nullptr || !importer(settings)) std::abort();
  return 0;
}
