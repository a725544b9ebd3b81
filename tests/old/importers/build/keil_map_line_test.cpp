#include "importers/build/keil_map_line.h"

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
      {"    main                                     0x08000151   Thumb Code    40  main.o(.text.main)",
       "08000151|134218065|28|40|.text.main|main.o"},
      {"    zero  0x20000000   Data    0  data.o(.bss)", "20000000|536870912|0|0|.bss|data.o"},
      {"    table  0x0800a000   Data    236  tables.o(.constdata)",
       "0800a000|134258688|ec|236|.constdata|tables.o"},
      {"    huge  0x00000000   Data    4294967296  big.o(.bss)",
       "00000000|0|ffffffff|4294967295|.bss|big.o"},
      {"\tf\t0x08000001\tThumb Code\t2\tf.o(i.f) (tail)", "08000001|134217729|2|2|i.f|f.o"},
      {"    g  0x08000001   Thumb Code   2  g.o(.text) extra", "08000001|134217729|2|2|.text|g.o"},
      {"\vh\v0x08000001\vData\v2\vh.o(.data)", "08000001|134217729|2|2|.data|h.o"},
      {"    empty  0x08000001   Data   2  e.o()", "08000001|134217729|2|2||e.o"},
      {"main  0x08000151   Thumb Code    40  main.o(.text.main)", std::nullopt},
      {"    main  0X08000151   Thumb Code    40  main.o(.text.main)", std::nullopt},
      {"    main  0x0800015A   Thumb Code    40  main.o(.text.main)", std::nullopt},
      {"    main  0x0800151   Thumb Code    40  main.o(.text.main)", std::nullopt},
      {"    __ARM_use_no_argv                        0x00000000   Number         0  main.o ABSOLUTE",
       std::nullopt},
      {"    f  0x08000151   Thumb Code    40  my-main.o(.text.f)", std::nullopt},
      {"    f  0x08000151   Thumb Code    4x  main.o(.text.f)", std::nullopt},
      {"", std::nullopt},
  };
  return table;
}

TEST(ClassifyKeilMapLine, FillsTheRecordFromWholeLineMatchesOnly) {
  for (const auto& [line, expected] : cases()) {
    MapRecord record;
    const bool matched = classify_keil_map_line(line, record);
    ASSERT_EQ(matched, expected.has_value()) << line;
    if (!matched) continue;
    EXPECT_TRUE(record.matched);
    EXPECT_EQ(fields(record), *expected) << line;
  }
}

TEST(KeilMapLinePattern, AgreesWithEcmascript) {
  std::vector<std::string> seeds;
  for (const auto& entry : cases()) seeds.push_back(entry.first);
  test::expect_same_as_ecmascript(
      keil_map_line_pattern(),
      R"(^\s+(.*)\s+0x([0-9a-f]{8})\s+([a-zA-Z\s]+)\s+([0-9]+)\s+([.a-zA-Z_0-9]+)\((.*?)\)(.*))",
      test::with_mutations(seeds));
}

}  // namespace
}  // namespace qz
