#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "formats/map.h"
#include "support/regex_differential.h"
#include "support/run_format.h"

namespace qz {
namespace {

// originhex|origindec|sizehex|sizedec|section|filename, or nothing for a
// line the classifier does not recognise.
template <bool (*kClassify)(std::string_view, MapRecord&)>
std::optional<std::string> fields(std::string_view line) {
  MapRecord r;
  if (!kClassify(line, r)) return std::nullopt;
  return r.originhex + "|" + std::to_string(r.origindec) + "|" + r.sizehex + "|" +
         std::to_string(r.sizedec) + "|" + r.section + "|" + r.filename;
}

const std::vector<test::LineFormatTable>& map_formats() {
  static const std::vector<test::LineFormatTable> formats = {
      {"Map",
       fields<classify_map_line>,
       map_line_pattern,
       R"(([0-9a-f]{8})\+([0-9a-f]{6})[[:space:]]+([\.a-zA-Z_0-9]* -> [\.a-zA-Z_0-9]*?|[\.a-zA-Z_0-9]*)[[:space:]]+(.*))",
       {
           {"00001000+0001a0 .text main.o", "00001000|4096|0001a0|416|.text|main.o"},
           {"00001000+0001a0 .text -> .text main.o",
            "00001000|4096|0001a0|416|.text -> .text|main.o"},
           // Two blanks before the arrow: one-name form, the arrow goes to the file name.
           {"00001000+0001a0 .text  -> .text main.o",
            "00001000|4096|0001a0|416|.text|-> .text main.o"},
           {"80000000+000010 .bss x.o", "80000000|2147483648|000010|16|.bss|x.o"},
           {"ffffffff+ffffff .data y.o", "ffffffff|4294967295|ffffff|16777215|.data|y.o"},
           {"00001000+0001a0  main.o", "00001000|4096|0001a0|416||main.o"},
           {"00001000+0001a0 .text main.o   ", "00001000|4096|0001a0|416|.text|main.o   "},
           {"00001000+0001a0\t.text\t\tlib/a b.o", "00001000|4096|0001a0|416|.text|lib/a b.o"},
           {"00001000+0001a0 .text_1.x C:\\obj\\main.o",
            "00001000|4096|0001a0|416|.text_1.x|C:\\obj\\main.o"},
           {"0000ABCD+0001a0 .text main.o", std::nullopt},
           {" 00001000+0001a0 .text main.o", std::nullopt},
           {"00001000+01a0 .text main.o", std::nullopt},
           {"00001000+00001a0 .text main.o", std::nullopt},
           {"00001000+0001a0 .te-xt main.o", std::nullopt},
           {"00001000+0001a0 $text main.o", std::nullopt},
           {"00001000-0001a0 .text main.o", std::nullopt},
           {"00001000+0001a0.text main.o", std::nullopt},
           {"", std::nullopt},
       }},
      {"Map_KEIL",
       fields<classify_keil_map_line>,
       keil_map_line_pattern,
       R"(^\s+(.*)\s+0x([0-9a-f]{8})\s+([a-zA-Z\s]+)\s+([0-9]+)\s+([.a-zA-Z_0-9]+)\((.*?)\)(.*))",
       {
           {"    main                                     0x08000151   Thumb Code    40  "
            "main.o(.text.main)",
            "08000151|134218065|28|40|.text.main|main.o"},
           {"    zero  0x20000000   Data    0  data.o(.bss)", "20000000|536870912|0|0|.bss|data.o"},
           {"    table  0x0800a000   Data    236  tables.o(.constdata)",
            "0800a000|134258688|ec|236|.constdata|tables.o"},
           // The decimal size saturates.
           {"    huge  0x00000000   Data    4294967296  big.o(.bss)",
            "00000000|0|ffffffff|4294967295|.bss|big.o"},
           {"\tf\t0x08000001\tThumb Code\t2\tf.o(i.f) (tail)", "08000001|134217729|2|2|i.f|f.o"},
           {"    g  0x08000001   Thumb Code   2  g.o(.text) extra",
            "08000001|134217729|2|2|.text|g.o"},
           {"\vh\v0x08000001\vData\v2\vh.o(.data)", "08000001|134217729|2|2|.data|h.o"},
           {"    empty  0x08000001   Data   2  e.o()", "08000001|134217729|2|2||e.o"},
           {"main  0x08000151   Thumb Code    40  main.o(.text.main)", std::nullopt},
           {"    main  0X08000151   Thumb Code    40  main.o(.text.main)", std::nullopt},
           {"    main  0x0800015A   Thumb Code    40  main.o(.text.main)", std::nullopt},
           {"    main  0x0800151   Thumb Code    40  main.o(.text.main)", std::nullopt},
           {"    __ARM_use_no_argv                        0x00000000   Number         0  main.o "
            "ABSOLUTE",
            std::nullopt},
           {"    f  0x08000151   Thumb Code    40  my-main.o(.text.f)", std::nullopt},
           {"    f  0x08000151   Thumb Code    4x  main.o(.text.f)", std::nullopt},
           {"", std::nullopt},
       }},
  };
  return formats;
}

TEST(MapFormats, ClassifyWholeLineMatchesOnlyAndAgreeWithEcmascript) {
  test::expect_line_formats(map_formats());
}

// The CREATE statement comes first even when no line is recognised, and a
// last line without line feed is read too.
TEST(MapImporters, WriteTheCreateStatementThenOneRowPerRecognisedLine) {
  constexpr std::string_view kCreate =
      "create table if not exists compiler_map (platform, project, githash, date, time, "
      "originhex, origindec INT, sizehex, sizedec INT, section, filename);";
  const std::pair<std::string_view, std::string> recognised[] = {
      {"Map", "00001000+0001a0 .text main.o"},
      {"Map_KEIL", "    main  0x08000151   Thumb Code    40  main.o(.text.main)"},
  };
  for (const auto& [parser_type, line] : recognised) {
    test::expect_one_row_per_recognised_line(parser_type, kCreate, line);
  }
}

}  // namespace
}  // namespace qz
