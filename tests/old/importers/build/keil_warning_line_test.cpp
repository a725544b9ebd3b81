#include "importers/build/keil_warning_line.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/regex_differential.h"

namespace qz {
namespace {

// filename|line|type|error_id
std::string fields(const WarningRecord& r) {
  return r.filename + "|" + r.line + "|" + r.type + "|" + r.error_id;
}

const std::vector<std::pair<std::string, std::optional<std::string>>>& cases() {
  static const std::vector<std::pair<std::string, std::optional<std::string>>> table = {
      {"../Src/main.c:12:5: warning: implicit conversion changes signedness [-Wsign-conversion]",
       "main.c|12|warning|implicit conversion changes signedness [-Wsign-conversion]"},
      {"../Src/drv/uart.c:7:1: error: use of undeclared identifier 'x'",
       "drv/uart.c|7|error|use of undeclared identifier 'x'"},
      {R"(../Src/a.c:3:9: warning: format "%d" expects 'int' [-Wformat])",
       R"(a.c|3|warning|format "%d" expects 'int' [-Wformat])"},
      // The file name is greedy: it runs to the last place the rest still fits.
      {"C:/w/Src/b.c:1:2: warning: x:3:4: warning: y", "b.c:1:2: warning: x|3|warning|y"},
      {"/w/Src/x/Src/y.c:1:1: warning: m", "x/Src/y.c|1|warning|m"},
      {"main.c:1:1: warning:\tm  ", "main.c|1|warning|m  "},
      {"../Src/main.c:12:5: note: expanded from macro", std::nullopt},
      {"../Src/main.c:12:5: fatal error: 'a.h' file not found", std::nullopt},
      {"../Src/main.c:12:5: Warning: x", std::nullopt},
      {"../Src/main.c:12: warning: x", std::nullopt},
      {"../Src/main.c:12:5: warning:", std::nullopt},
      {"", std::nullopt},
  };
  return table;
}

TEST(ClassifyKeilLine, FillsTheRecordFromWholeLineMatchesOnly) {
  for (const auto& [line, expected] : cases()) {
    WarningRecord record;
    const bool matched = classify_keil_line(line, record);
    ASSERT_EQ(matched, expected.has_value()) << line;
    if (!matched) continue;
    EXPECT_EQ(fields(record), *expected) << line;
  }
}

TEST(KeilWarningLinePattern, AgreesWithEcmascript) {
  std::vector<std::string> seeds;
  for (const auto& entry : cases()) seeds.push_back(entry.first);
  test::expect_same_as_ecmascript(
      keil_warning_line_pattern(),
      R"((.*):([0-9]+):[0-9]+:[[:space:]]+(error|warning):[[:space:]]+(.*))",
      test::with_mutations(seeds));
}

}  // namespace
}  // namespace qz
