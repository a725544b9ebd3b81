#include "importers/build/map_line.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/regex_differential.h"

namespace qz {
namespace {

// originhex|origindec|sizehex|sizedec|section|filename
std::string fields(const MapRecord& r) {
  return r.originhex + "|" + std::to_string(r.origindec) + "|" + r.sizehex + "|" +
         std::to_string(r.sizedec) + "|" + r.section + "|" + r.filename;
}

const std::vector<std::pair<std::string, std::optional<std::string>>>& cases() {
  static const std::vector<std::pair<std::string, std::optional<std::string>>> table = {
      {"00001000+0001a0 .text main.o", "00001000|4096|0001a0|416|.text|main.o"},
      {"00001000+0001a0 .text -> .text main.o", "00001000|4096|0001a0|416|.text -> .text|main.o"},
      // Two blanks before the arrow: one-name form, the arrow goes to the file name.
      {"00001000+0001a0 .text  -> .text main.o", "00001000|4096|0001a0|416|.text|-> .text main.o"},
      {"80000000+000010 .bss x.o", "80000000|2147483648|000010|16|.bss|x.o"},
      {"ffffffff+ffffff .data y.o", "ffffffff|4294967295|ffffff|16777215|.data|y.o"},
      {"00001000+0001a0  main.o", "00001000|4096|0001a0|416||main.o"},
      {"00001000+0001a0 .text main.o   ", "00001000|4096|0001a0|416|.text|main.o   "},
      {"00001000+0001a0\t.text\t\tlib/a b.o", "00001000|4096|0001a0|416|.text|lib/a b.o"},
      {"00001000+0001a0 .text_1.x C:\\obj\\main.o", "00001000|4096|0001a0|416|.text_1.x|C:\\obj\\main.o"},
      {"0000ABCD+0001a0 .text main.o", std::nullopt},
      {" 00001000+0001a0 .text main.o", std::nullopt},
      {"00001000+01a0 .text main.o", std::nullopt},
      {"00001000+00001a0 .text main.o", std::nullopt},
      {"00001000+0001a0 .te-xt main.o", std::nullopt},
      {"00001000+0001a0 $text main.o", std::nullopt},
      {"00001000-0001a0 .text main.o", std::nullopt},
      {"00001000+0001a0.text main.o", std::nullopt},
      {"", std::nullopt},
  };
  return table;
}

TEST(ClassifyMapLine, FillsTheRecordFromWholeLineMatchesOnly) {
  for (const auto& [line, expected] : cases()) {
    MapRecord record;
    const bool matched = classify_map_line(line, record);
    ASSERT_EQ(matched, expected.has_value()) << line;
    if (!matched) continue;
    EXPECT_TRUE(record.matched);
    EXPECT_EQ(fields(record), *expected) << line;
  }
}

TEST(MapLinePattern, AgreesWithEcmascript) {
  std::vector<std::string> seeds;
  for (const auto& entry : cases()) seeds.push_back(entry.first);
  test::expect_same_as_ecmascript(
      map_line_pattern(),
      R"(([0-9a-f]{8})\+([0-9a-f]{6})[[:space:]]+([\.a-zA-Z_0-9]* -> [\.a-zA-Z_0-9]*?|[\.a-zA-Z_0-9]*)[[:space:]]+(.*))",
      test::with_mutations(seeds));
}

}  // namespace
}  // namespace qz
