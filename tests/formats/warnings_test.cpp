#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "formats/warnings.h"
#include "support/regex_differential.h"
#include "support/run_format.h"

namespace qz {
namespace {

// filename|line|type|error_id
std::string fields(const WarningRecord& r) {
  return r.filename + "|" + r.line + "|" + r.type + "|" + r.error_id;
}

// filename|line|type|warning_number|message
std::string fields(const TricoreWarningRecord& r) {
  return r.filename + "|" + r.line + "|" + r.type + "|" + r.warning_number + "|" + r.message;
}

// The fields of the record, or nothing for a line the classifier does not
// recognise.
template <typename Record, bool (*kClassify)(std::string_view, Record&)>
std::optional<std::string> classified(std::string_view line) {
  Record record;
  if (!kClassify(line, record)) return std::nullopt;
  return fields(record);
}

const std::vector<test::LineFormatTable>& warning_formats() {
  static const std::vector<test::LineFormatTable> formats = {
      {"Warning",
       classified<WarningRecord, classify_warning_line>,
       warning_line_pattern,
       R"re("(.*)",[[:space:]]+line[[:space:]]+([0-9]+):[[:space:]]+(error|warning)[[:space:]]+(.*):[[:space:]]*)re",
       {
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
       }},
      {"Warning_KEIL",
       classified<WarningRecord, classify_keil_line>,
       keil_warning_line_pattern,
       R"((.*):([0-9]+):[0-9]+:[[:space:]]+(error|warning):[[:space:]]+(.*))",
       {
           {"../Src/main.c:12:5: warning: implicit conversion changes signedness "
            "[-Wsign-conversion]",
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
       }},
      {"Warning_Tricore",
       classified<TricoreWarningRecord, classify_tricore_line>,
       tricore_line_pattern,
       R"re(ctc[[:space:]]W([0-9]+):[[:space:]]+\["(.*)"[[:space:]]+([0-9]+)/[0-9]+\][[:space:]]+(.*))re",
       {
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
       }},
  };
  return formats;
}

TEST(WarningFormats, ClassifyWholeLineMatchesOnlyAndAgreeWithEcmascript) {
  test::expect_line_formats(warning_formats());
}

TEST(WarningErrorNumber, DropsTheMarkAndTheSuffixWithoutEverFailing) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"#552-D", "552"}, {"#10247-D", "10247"}, {"#20: x", "20:"},
      {"#12", ""},       {"#1", "1"},           {"#", ""},
      {"", ""},
  };
  for (const auto& [error_id, number] : cases) {
    EXPECT_EQ(warning_error_number(error_id), number) << error_id;
  }
}

TEST(KeilWarningOption, IsTheWarningOptionThatEndsTheMessage) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"unused variable 'x' [-Wunused-variable]", "-Wunused-variable"},
      {"unused variable 'x' [-Werror,-Wunused-variable]", "-Wunused-variable"},
      {"use of undeclared identifier 'X'", ""},
      {"index [i] is past the end [-Warray-bounds] of a[3]", ""},
      {"unknown [x]", ""},
      {"]", ""},
  };
  for (const auto& [message, option] : cases) {
    EXPECT_EQ(keil_warning_option(message), option) << message;
  }
}

// The CREATE statement comes first even when no line is recognised, and a
// last line without line feed is read too.
TEST(WarningImporters, WriteTheCreateStatementThenOneRowPerRecognisedLine) {
  constexpr std::string_view kCreate =
      "create table if not exists compiler_results (platform, project, githash, date, time, "
      "filename, line INTEGER, type, error_id, error_num INTEGER);";
  const std::pair<std::string_view, std::string> recognised[] = {
      {"Warning", "\"../Src/app/main.c\", line 42: warning #552-D:"},
      {"Warning_KEIL", "../Src/main.c:12:5: warning: x"},
      {"Warning_Tricore", "ctc W501: [\"../Src/app.c\" 3/1] x"},
  };
  for (const auto& [parser_type, line] : recognised) {
    test::expect_one_row_per_recognised_line(parser_type, kCreate, line);
  }
}

}  // namespace
}  // namespace qz
