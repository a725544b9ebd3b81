// Every parser type on one very long line: a recognised line whose long field
// must arrive whole, and an unrecognised line of the same size that must give
// what an empty input gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "crafted.h"
#include "support/run_format.h"
#include "support/sqlite_db.h"

namespace qz {
namespace {

using LineMaker = std::string (*)(const std::string& pad);

struct LongLineCase {
  std::string_view parser_type;
  LineMaker recognised;    // input whose long field is `pad`
  LineMaker unrecognised;  // a near miss of the same length
  // SQL types: a query that must give exactly the row `expected` makes.
  // Other types: `expected` must stand in the output as a line of its own.
  std::string_view query;
  LineMaker expected;
};

// Text that every long field accepts: no blank, slash, quote, bracket or dot.
std::string pad_of(std::size_t size) {
  static constexpr std::string_view kAlphabet =
      "abcdefghijklmnopqrstuvwxyz_0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string pad(size, ' ');
  for (std::size_t i = 0; i < size; ++i) pad[i] = kAlphabet[i % kAlphabet.size()];
  return pad;
}

const std::vector<LongLineCase>& long_line_cases() {
  static const std::vector<LongLineCase> cases = {
      {"PassFail", [](const std::string& pad) { return "  Test: " + pad + "() ......passed\n"; },
       [](const std::string& pad) { return "  Test: " + pad + "() ......skipped\n"; },
       "select name, result from ut_results",
       [](const std::string& pad) { return pad + "|passed"; }},
      {"GCOV_Coverage",
       [](const std::string& pad) {
         return "<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %" + pad + "</td></tr>\n";
       },
       [](const std::string& pad) {
         return "<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %" + pad + "</td></tr\n";
       },
       "select C0_tested_lines, C0_testable_lines, C0_percent from ut_coverage",
       [](const std::string&) { return std::string("1234|1500|82"); }},
      {"CTC_Coverage",
       [](const std::string& pad) {
         return "***TER 100 % (  2/  2) of FUNCTION " + pad + "()\n" +
                "       100 % (  6/  6) statement\n";
       },
       [](const std::string& pad) {
         return "***TER 100 % (  2/  2) of FUNCTION " + pad + "\n" +
                "       100 % (  6/  6) statement\n";
       },
       "select function_name, C0_percent, C1_percent from ut_coverage",
       [](const std::string& pad) { return pad + "|100|100"; }},
      {"QAC",
       [](const std::string& pad) {
         return "D:\\ws\\Src_QZ\\app\\" + pad +
                "\\can_if.c (118) : warning : QAC(Prio7) Msg: 2985(Redundant.) Ref: Rule-2.2\n";
       },
       [](const std::string& pad) {
         return "D:\\ws\\Src_QZ\\app\\" + pad +
                "\\can_if.c (118) : warning : QAC(Prio77) Msg: 2985(Redundant.) Ref: Rule-2.2\n";
       },
       "select filename, misra_7 from q_results",
       [](const std::string& pad) { return "Hmt4\\Src_QZ\\app\\" + pad + "\\can_if.c|1"; }},
      {"QAC_full_report",
       [](const std::string& pad) {
         return "D:\\ws\\Src_QZ\\app\\can_if.c (118) : warning : QAC(Prio7) Msg: 2985(" + pad +
                ".) Ref: Rule-2.2\n";
       },
       [](const std::string& pad) {
         return "D:\\ws\\Src_QZ\\app\\can_if.c (118) : warning : QAC(Prio7) Msg: 2985(" + pad +
                ".) Ref Rule-2.2\n";
       },
       "", [](const std::string& pad) { return "Src_QZ\\app\\can_if.c(118): " + pad; }},
      {"Warning",
       [](const std::string& pad) {
         return "\"../Src/app/" + pad + "/main.c\", line 42: warning #552-D: \n";
       },
       [](const std::string& pad) {
         return "\"../Src/app/" + pad + "/main.c\", line 42: notice #552-D: \n";
       },
       "select filename, line, type, error_id, error_num from compiler_results",
       [](const std::string& pad) { return "app/" + pad + "/main.c|42|warning|#552-D|552"; }},
      {"Warning_KEIL",
       [](const std::string& pad) { return "../Src/app/main.c:42:13: warning: " + pad + "\n"; },
       [](const std::string& pad) { return "../Src/app/main.c:42:13: remark: " + pad + "\n"; },
       "select filename, line, type, error_id, error_num from compiler_results",
       [](const std::string& pad) { return "app/main.c|42|warning|" + pad + "|0"; }},
      {"Warning_Tricore",
       [](const std::string& pad) {
         return "ctc W549: [\"..\\Src\\app\\main.c\" 42/9] " + pad + "\n";
       },
       [](const std::string& pad) {
         return "ctc W549: [\"..\\Src\\app\\main.c\" 42] " + pad + "\n";
       },
       "select filename, line, type, error_id, error_num from compiler_results",
       [](const std::string& pad) { return "app/main.c|42|Warning|" + pad + "|549"; }},
      {"Map",
       [](const std::string& pad) { return "00000394+000a2c .text_fast      " + pad + "\n"; },
       [](const std::string& pad) { return "00000394+00a2c .text_fast      " + pad + "\n"; },
       "select originhex, sizedec, section, filename from compiler_map",
       [](const std::string& pad) { return "00000394|2604|.text_fast|" + pad; }},
      {"Map_KEIL",
       [](const std::string& pad) {
         return "    can_fill_frame     0x08000235   Thumb Code    64  can_driver.o(" + pad + ")\n";
       },
       [](const std::string& pad) {
         return "    can_fill_frame     0x0800023   Thumb Code    64  can_driver.o(" + pad + ")\n";
       },
       "select originhex, sizedec, section, filename from compiler_map",
       [](const std::string& pad) { return "08000235|64|" + pad + "|can_driver.o"; }},
      {"ClangTidy",
       [](const std::string& pad) {
         return "src/can_driver.cpp:42:21: warning: " + pad + " [modernize-use-nullptr]\n";
       },
       [](const std::string& pad) { return "src/can_driver.cpp:42:21: warning: " + pad + "\n"; },
       "",
       [](const std::string& pad) {
         return "src/can_driver.cpp:42:21: warning: " + pad + " [modernize-use-nullptr]";
       }},
  };
  return cases;
}

struct LongLineParam {
  const LongLineCase* type;
  std::size_t size;
};

constexpr std::size_t kKilobyte = 1000;
constexpr std::size_t kMegabyte = 1000 * kKilobyte;

// 100 KB and 1 MB for every type; 10 MB for one SQL importer and for the
// clang-tidy visualizer, which keeps every line in memory.
std::vector<LongLineParam> long_line_params() {
  std::vector<LongLineParam> params;
  for (const LongLineCase& type : long_line_cases()) {
    params.push_back({&type, 100 * kKilobyte});
    params.push_back({&type, kMegabyte});
    if (type.parser_type == "Map" || type.parser_type == "ClangTidy") {
      params.push_back({&type, 10 * kMegabyte});
    }
  }
  return params;
}

bool has_line(std::string_view text, std::string_view line) {
  const std::boyer_moore_horspool_searcher searcher(line.begin(), line.end());
  for (auto at = text.begin(); at != text.end(); ++at) {
    at = std::search(at, text.end(), searcher);
    if (at == text.end()) return false;
    const bool starts_line = at == text.begin() || at[-1] == '\n';
    const auto after = at + static_cast<std::ptrdiff_t>(line.size());
    if (starts_line && after != text.end() && *after == '\n') return true;
  }
  return false;
}

test::FormatOutcome run_type(const LongLineCase& type, std::string_view input) {
  return test::run_format(type.parser_type, input);
}

class LongLine : public testing::TestWithParam<LongLineParam> {};

TEST_P(LongLine, RecognisedLineKeepsItsLongFieldWhole) {
  const LongLineCase& type = *GetParam().type;
  const std::string pad = pad_of(GetParam().size);
  const test::FormatOutcome outcome = run_type(type, type.recognised(pad));
  ASSERT_TRUE(outcome.ok);
  if (type.parser_type == "ClangTidy") {
    EXPECT_EQ(outcome.stdout_text, "QZClangTidyVisualizer: Report has been built successfully\n");
    EXPECT_TRUE(outcome.output.starts_with("\n<!DOCTYPE html>\n"));
    EXPECT_TRUE(has_line(outcome.output, type.expected(pad)));
    return;
  }
  EXPECT_TRUE(outcome.stdout_text == outcome.output) << "the echo differs from the output file";
  if (type.query.empty()) {
    EXPECT_TRUE(outcome.output.starts_with("[totals]\n"));
    EXPECT_TRUE(has_line(outcome.output, type.expected(pad)));
    return;
  }
  test::SqliteDb db;
  ASSERT_EQ(db.run_script(outcome.output), "");
  const std::vector<std::string> rows = db.query(std::string(type.query));
  ASSERT_EQ(rows.size(), 1U);
  EXPECT_TRUE(rows[0] == type.expected(pad)) << "row of " << rows[0].size() << " bytes differs";
}

TEST_P(LongLine, UnrecognisedLineGivesWhatAnEmptyInputGives) {
  const LongLineCase& type = *GetParam().type;
  const test::FormatOutcome outcome = run_type(type, type.unrecognised(pad_of(GetParam().size)));
  ASSERT_TRUE(outcome.ok);
  if (type.parser_type == "ClangTidy") {
    EXPECT_EQ(outcome.stdout_text,
              " QZClangTidyVisualizer: No clang-tidy messages were found\n"
              "QZClangTidyVisualizer: Getting clang-tidy analysis result was not successful\n");
    EXPECT_EQ(outcome.output.size(), 0U);
    return;
  }
  const test::FormatOutcome empty = run_type(type, "");
  EXPECT_EQ(outcome.output, empty.output);
  EXPECT_EQ(outcome.stdout_text, empty.stdout_text);
}

std::string param_name(const testing::TestParamInfo<LongLineParam>& info) {
  const std::size_t size = info.param.size;
  const std::string unit = size >= kMegabyte ? std::to_string(size / kMegabyte) + "MB"
                                             : std::to_string(size / kKilobyte) + "KB";
  return std::string(info.param.type->parser_type) + "_" + unit;
}

INSTANTIATE_TEST_SUITE_P(EveryParserType, LongLine, testing::ValuesIn(long_line_params()),
                         param_name);

// Lines built from a pattern's own tokens (runs of blanks, "0x", ":", ".)",
// "[", fragments of valid lines repeated), as the benchmark times them: a
// near miss gives what an empty input gives, a valid one its row, and
// neither may take a matcher into backtracking (the benchmark measures the
// time; here a slow matcher would show as a test that does not end).
struct CraftedParam {
  std::string_view parser_type;
  const bench::CraftedLine* line;
};

class CraftedLine : public testing::TestWithParam<CraftedParam> {};

TEST_P(CraftedLine, GivesWhatItsShapeGives) {
  const CraftedParam& param = GetParam();
  const test::FormatOutcome outcome =
      test::run_format(param.parser_type, bench::build_crafted_line(*param.line, 100 * kKilobyte));
  ASSERT_TRUE(outcome.ok);
  const test::FormatOutcome empty = test::run_format(param.parser_type, "");
  if (!param.line->gives_row) {
    EXPECT_EQ(outcome.output, empty.output);
    return;
  }
  EXPECT_NE(outcome.output, empty.output);
}

std::vector<CraftedParam> crafted_params() {
  std::vector<CraftedParam> params;
  for (const LongLineCase& type : long_line_cases()) {
    for (const bench::CraftedLine& line : bench::crafted_lines(type.parser_type)) {
      params.push_back({type.parser_type, &line});
    }
  }
  return params;
}

INSTANTIATE_TEST_SUITE_P(EveryParserType, CraftedLine, testing::ValuesIn(crafted_params()),
                         [](const testing::TestParamInfo<CraftedParam>& info) {
                           std::string name = std::string(info.param.parser_type) + "_" +
                                              std::string(info.param.line->name);
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace qz
