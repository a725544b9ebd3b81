#include "importers/build/warning_line.h"

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
      {R"("../Src/app/main.c", line 42: warning #552-D:)", "app/main.c|42|warning|#552-D"},
      {R"("../Src/app/main.c", line 42: warning #552-D: variable "x" was set but never used)",
       std::nullopt},
      {R"("a/Src/b.c", line 3: error #20: x:)", "b.c|3|error|#20: x"},
      {R"("a/Src/b.c", line 3: warning :)", "b.c|3|warning|"},
      {"\"/w/Src/m/Src/x.c\",\tline\t7:\terror\t#10247-D:  \t", "m/Src/x.c|7|error|#10247-D"},
      {R"("C:\build\main.c", line 1: warning #1:)", R"(C:\build\main.c|1|warning|#1)"},
      {R"("", line 1: warning #1:)", "|1|warning|#1"},
      {R"("a.c", line 1: remark #1:)", std::nullopt},
      {R"("a.c", line 1: Warning #1:)", std::nullopt},
      {R"("a.c", line x: warning #1:)", std::nullopt},
      {R"("a.c",line 1: warning #1:)", std::nullopt},
      {R"( "a.c", line 1: warning #1:)", std::nullopt},
      {"", std::nullopt},
  };
  return table;
}

TEST(ClassifyWarningLine, FillsTheRecordFromWholeLineMatchesOnly) {
  for (const auto& [line, expected] : cases()) {
    WarningRecord record;
    const bool matched = classify_warning_line(line, record);
    ASSERT_EQ(matched, expected.has_value()) << line;
    if (!matched) continue;
    EXPECT_EQ(fields(record), *expected) << line;
  }
}

TEST(WarningLinePattern, AgreesWithEcmascript) {
  std::vector<std::string> seeds;
  for (const auto& entry : cases()) seeds.push_back(entry.first);
  test::expect_same_as_ecmascript(
      warning_line_pattern(),
      R"re("(.*)",[[:space:]]+line[[:space:]]+([0-9]+):[[:space:]]+(error|warning)[[:space:]]+(.*):[[:space:]]*)re",
      test::with_mutations(seeds));
}

TEST(WarningErrorNumber, DropsTheMarkAndTheSuffixWithoutEverFailing) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"#552-D", "552"}, {"#10247-D", "10247"}, {"#20: x", "20:"}, {"#12", ""},
      {"#1", "1"},       {"#", ""},             {"", ""},
  };
  for (const auto& [error_id, number] : cases) {
    EXPECT_EQ(warning_error_number(error_id), number) << error_id;
  }
}

}  // namespace
}  // namespace qz
