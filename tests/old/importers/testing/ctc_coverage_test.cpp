#include "importers/testing/ctc_coverage.h"

#include <gtest/gtest.h>

#include "support/regex_differential.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

constexpr std::string_view kFunctionEcmascript =
    R"re(\*\*\*TER[[:space:]]+([0-9]+)[[:space:]]+[[:punct:]]+[[:space:]]+\([[:space:]]*([0-9]+)\/[[:space:]]*([0-9]+)\).*FUNCTION[[:space:]]+(.*)\(\)[[:space:]]+([0-9]+)[[:space:]]+[[:punct:]]+[[:space:]]+\([[:space:]]*([0-9]+)\/[[:space:]]*([0-9]+)\).*)re";

constexpr std::string_view kModuleEcmascript =
    R"re(TER[[:space:]]+[[:punct:]][[:space:]]+([0-9]+)[[:space:]]+[[:punct:]][[:space:]]+\(([0-9]+)\/([0-9]+)\)[[:space:]]+decision[[:space:]]*)re"
    R"re(TER[[:space:]]+[[:punct:]][[:space:]]+([0-9]+)[[:space:]]+[[:punct:]][[:space:]]+\(([0-9]+)\/([0-9]+)\)[[:space:]]+statement)re";

const std::string kDecision = "TER             :  80 % (12/15) decision";
const std::string kStatement = "TER             :  85 % (34/40) statement";

struct CtcTextCase {
  std::string text;  // a joined line pair
  // Expected texts, C0 figures, C1 figures, name, all joined by "|"; empty when
  // the pair gives no row.
  std::string row;
};

const std::vector<CtcTextCase>& ctc_text_cases() {
  static const std::vector<CtcTextCase> cases = {
      {"***TER  75 % (  3/  4) of FUNCTION check_limits()        90 % (  9/ 10) statement",
       "90|9|10|75|3|4|check_limits"},
      {kDecision + " " + kStatement, "85|34|40|80|12|15|*module_statistics"},
      {"***TER 100 % (  2/  2) of FUNCTION Foo::operator()()       100 % (  5/  5) statement",
       "100|5|5|100|2|2|Foo::operator()"},
      {"***TER  50 % (  1/  2) of FUNCTION f() g()  007 %% (007/010) statement",
       "007|007|010|50|1|2|f() g"},
      {"***TER   0 % (  0/  2) of FUNCTION \"quoted\"()\t\t 0 - (0/0)", "0|0|0|0|0|2|\"quoted\""},
      {"***TER  75 % (3/4) FUNCTION  spaced name ()  90 % (9/10) statement",
       "90|9|10|75|3|4|spaced name "},
      {kDecision + " " + kStatement + " ", ""},
      {"TER             :  80 % ( 12/ 15) decision " + kStatement, ""},
      {kStatement + " " + kDecision, ""},
      {"TER             :: 80 % (12/15) decision " + kStatement, ""},
      {"TER : 80 % (12/15) decision" + kStatement, "85|34|40|80|12|15|*module_statistics"},
      {"***TER  75 % (  3/  4) of FUNCTION f(int)        90 % (  9/ 10) statement", ""},
      {"***TER  75 % (  3/  4) of FUNCTION f()90 % (  9/ 10) statement", ""},
      {"***TER  75 % (  3/  4) of FUNCTION f()        90 % (  9/ 10) ", "90|9|10|75|3|4|f"},
      {"***TER  75 % (  3/  4) of FILE ../Src/a.c        90 % (  9/ 10) statement", ""},
      {"***TER  75 % (  3/  4) of FUNCTION a()***TER  50 % (  1/  2) of FUNCTION b()", ""},
      {"***TER 75 (3/4) of FUNCTION f() 90 % (9/10) statement", ""},
      {"*** TER  75 % (  3/  4) of FUNCTION f()        90 % (  9/ 10) statement", ""},
      {"TER  75 % (  3/  4) of FUNCTION f()        90 % (  9/ 10) statement", ""},
      {"", ""},
  };
  return cases;
}

std::vector<std::string> ctc_texts() {
  std::vector<std::string> texts;
  for (const CtcTextCase& c : ctc_text_cases()) texts.push_back(c.text);
  return texts;
}

TEST(CtcPatterns, AgreeWithEcmascript) {
  const std::vector<std::string> lines = test::with_mutations(ctc_texts());
  test::expect_same_as_ecmascript(ctc_function_pattern(), kFunctionEcmascript, lines);
  test::expect_same_as_ecmascript(ctc_module_pattern(), kModuleEcmascript, lines);
}

std::string row_of(const CoverageRecord& r) {
  return r.C0_percent + "|" + r.C0_tested_lines + "|" + r.C0_testable_lines + "|" + r.C1_percent +
         "|" + r.C1_tested_lines + "|" + r.C1_testable_lines + "|" + r.function_name;
}

TEST(ClassifyCtcText, FillsStatementFiguresAsC0AndDecisionFiguresAsC1) {
  for (const CtcTextCase& c : ctc_text_cases()) {
    CoverageRecord record;
    record.function_name = "untouched";
    const bool matched = classify_ctc_text(c.text, record);
    ASSERT_EQ(matched, !c.row.empty()) << c.text;
    EXPECT_EQ(matched ? row_of(record) : record.function_name, matched ? c.row : "untouched")
        << c.text;
  }
}

// The function names of the rows read from `input`, joined by "," .
std::string names_read(std::string_view input) {
  test::TempDir dir;
  LineReader reader(dir.write("report.txt", input));
  std::string names;
  for (const CoverageRecord& record : read_ctc_records(reader)) {
    names += (names.empty() ? "" : ",") + record.function_name;
  }
  return names;
}

TEST(ReadCtcRecords, PairsEachOpeningLineWithTheLineAfterIt) {
  const std::string f1 = "***TER  75 % (  3/  4) of FUNCTION f1()\n";
  const std::string f2 = "***TER 100 % (  2/  2) of FUNCTION f2()\n";
  const std::string figures = "        90 % (  9/ 10) statement\n";
  const std::string module = kDecision + "\n" + kStatement + "\n";
  const std::pair<std::string, std::string> cases[] = {
      {"header\n" + f1 + figures + "----\n" + module + "end\n", "f1,*module_statistics"},
      {f1 + figures + f2 + figures, "f1,f2"},
      // The second opening line is used up as the first one's second half.
      {f1 + f2 + figures, ""},
      // A line that merely begins with "TER" uses up the entry after it.
      {"TERMINATED early\n" + f1 + figures + f2 + figures, "f2"},
      {" " + f1 + figures + " " + kDecision + "\n" + kStatement + "\n", ""},
      {"\t" + f1 + f2 + figures, "f2"},
      // CR LF line ends. Another carriage return stays in the line: at the end
      // of the first half it counts as white space, inside the name it breaks it.
      {"***TER  75 % (  3/  4) of FUNCTION f1()\r\n        90 % (  9/ 10) statement\r\n", "f1"},
      {"***TER  75 % (  3/  4) of FUNCTION f1()\r\r\n90 % (  9/ 10) statement\n", "f1"},
      {"***TER  75 % (  3/  4) of FUNCTION f\r1()\r\n" + figures, ""},
      // An unterminated last line is read, but an opening line needs a second half.
      {f1 + "        90 % (  9/ 10) statement", "f1"},
      {f1 + figures + f2, "f1"},
      {f1 + figures + f2.substr(0, f2.size() - 1), "f1"},
      {kDecision, ""},
      {"", ""},
  };
  for (const auto& [input, names] : cases) EXPECT_EQ(names_read(input), names) << input;
}

}  // namespace
}  // namespace qz
