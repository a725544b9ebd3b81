#include "importers/build/tricore_warning_line.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/regex_differential.h"

namespace qz {
namespace {

// filename|line|type|warning_number|message
std::string fields(const TricoreWarningRecord& r) {
  return r.filename + "|" + r.line + "|" + r.type + "|" + r.warning_number + "|" + r.message;
}

const std::vector<std::pair<std::string, std::optional<std::string>>>& cases() {
  static const std::vector<std::pair<std::string, std::optional<std::string>>> table = {
      {R"(ctc W527: ["..\Src\drv\can.c" 88/12] constant "MAX" is out of range)",
       "drv/can.c|88|Warning|527|constant 'MAX' is out of range"},
      {R"(ctc W501: ["../Src/app.c" 3/1] x)", "app.c|3|Warning|501|x"},
      {R"(ctc W1: ["..\Src\x\Src\y.c" 1/1] m)", "x/Src/y.c|1|Warning|1|m"},
      {R"(ctc W501: ["../Src/app.c" 3/1] )", "app.c|3|Warning|501|"},
      {R"(ctc W2: ["C:\a\"b".c" 5/6] it's "x")", R"(C:/a/"b".c|5|Warning|2|it's 'x')"},
      {"ctc\tW9:\t[\"a.c\"\t1/2]\t\"m\"", "a.c|1|Warning|9|'m'"},
      {R"(ctc W501: ["../Src/app.c" 3/1])", std::nullopt},
      {R"(ctc  W501: ["../Src/app.c" 3/1] x)", std::nullopt},
      {R"(ctc w501: ["../Src/app.c" 3/1] x)", std::nullopt},
      {R"(ctc E501: ["../Src/app.c" 3/1] x)", std::nullopt},
      {R"( ctc W501: ["../Src/app.c" 3/1] x)", std::nullopt},
      {R"(ctc W501: [../Src/app.c 3/1] x)", std::nullopt},
      {R"(ctc W501: ["../Src/app.c" 3] x)", std::nullopt},
      {"", std::nullopt},
  };
  return table;
}

TEST(ClassifyTricoreLine, FillsTheRecordFromWholeLineMatchesOnly) {
  for (const auto& [line, expected] : cases()) {
    TricoreWarningRecord record;
    const bool matched = classify_tricore_line(line, record);
    ASSERT_EQ(matched, expected.has_value()) << line;
    if (!matched) continue;
    EXPECT_EQ(fields(record), *expected) << line;
  }
}

TEST(TricoreLinePattern, AgreesWithEcmascript) {
  std::vector<std::string> seeds;
  for (const auto& entry : cases()) seeds.push_back(entry.first);
  test::expect_same_as_ecmascript(
      tricore_line_pattern(),
      R"re(ctc[[:space:]]W([0-9]+):[[:space:]]+\["(.*)"[[:space:]]+([0-9]+)/[0-9]+\][[:space:]]+(.*))re",
      test::with_mutations(seeds));
}

}  // namespace
}  // namespace qz
