#include <gtest/gtest.h>

#include "core/file.h"
#include "formats/coverage.h"
#include "support/regex_differential.h"
#include "support/run_format.h"
#include "support/sqlite_db.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

// ---- GCOV ----

constexpr std::string_view kGcovLineEcmascript =
    R"re(\<tr\>\<td\>Lines[[:punct:]]+\<\/td\>\<td\>([0-9]+)\<\/td\>\<td\>([0-9]+)\<\/td\>\<td\>([0-9]+).*\<\/td\>\<\/tr\>)re";

struct GcovLineCase {
  std::string line;
  bool matched;
  std::string tested;
  std::string testable;
  std::string percent;
};

const std::vector<GcovLineCase>& gcov_line_cases() {
  static const std::vector<GcovLineCase> cases = {
      {"<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr>", true, "1234", "1500",
       "82"},
      {"<tr><td>Lines:</td><td>8</td><td>8</td><td>100.0%</td></tr>", true, "8", "8", "100"},
      {"<tr><td>Lines:</td><td>9999</td><td>10000</td><td>99.99 %</td></tr>", true, "9999", "10000",
       "99"},
      {"<tr><td>Lines::</td><td>007</td><td>010</td><td>70</td></tr>", true, "007", "010", "70"},
      {"<tr><td>Lines:</td><td>1</td><td>2</td><td>50.0 %</td><td>extra</td></tr>", true, "1", "2",
       "50"},
      {"<tr><td>Lines-></td><td>0</td><td>0</td><td>0</td></tr>", true, "0", "0", "0"},
      {" <tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr>", false, "", "", ""},
      {"<tr class=\"x\"><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr>", false, "",
       "", ""},
      {"<tr><td class=\"headerItem\">Lines:</td><td>1</td><td>2</td><td>50 %</td></tr>", false, "",
       "", ""},
      {"<tr><td>Lines:</td> <td>1234</td><td>1500</td><td>82.2 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr> ", false, "", "", ""},
      {"<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr><tr>", false, "", "", ""},
      {"<tr><td>Branches:</td><td>10</td><td>20</td><td>50.0 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td>1</td><td>2</td><td>-</td></tr>", false, "", "", ""},
      {"<tr><td>Lines</td><td>1</td><td>2</td><td>50 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td>1,234</td><td>1500</td><td>82 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td> 12</td><td>15</td><td>80 %</td></tr>", false, "", "", ""},
      {"<tr><td>Lines:</td><td></td><td>15</td><td>0 %</td></tr>", false, "", "", ""},
      {"<TR><TD>Lines:</TD><TD>1</TD><TD>2</TD><TD>50 %</TD></TR>", false, "", "", ""},
  };
  return cases;
}

TEST(GcovLinePattern, AgreesWithEcmascript) {
  std::vector<std::string> seeds;
  for (const GcovLineCase& c : gcov_line_cases()) seeds.push_back(c.line);
  test::expect_same_as_ecmascript(gcov_line_pattern(), kGcovLineEcmascript,
                                  test::with_mutations(seeds));
}

TEST(ClassifyGcovLine, FillsOnlyTheLineFigures) {
  for (const GcovLineCase& c : gcov_line_cases()) {
    CoverageRecord record;
    record.C0_percent = "untouched";
    ASSERT_EQ(classify_gcov_line(c.line, record), c.matched) << c.line;
    if (!c.matched) {
      EXPECT_EQ(record.C0_percent, "untouched") << c.line;
      continue;
    }
    EXPECT_EQ(record.C0_tested_lines, c.tested) << c.line;
    EXPECT_EQ(record.C0_testable_lines, c.testable) << c.line;
    EXPECT_EQ(record.C0_percent, c.percent) << c.line;
    EXPECT_EQ(record.function_name + record.C1_percent + record.C1_tested_lines +
                  record.C1_testable_lines,
              "")
        << c.line;
  }
}

// ---- CTC ----

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

TEST(CtcPatterns, AgreeWithEcmascript) {
  std::vector<std::string> seeds;
  for (const CtcTextCase& c : ctc_text_cases()) seeds.push_back(c.text);
  const std::vector<std::string> lines = test::with_mutations(seeds);
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
  File file = File::open_input(dir.write("report.txt", input));
  LineReader reader(file);
  std::string names;
  read_ctc_records(reader, [&](const CoverageRecord& record) {
    names += (names.empty() ? "" : ",") + record.function_name;
  });
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
      // CR LF and CR CR LF line ends. A carriage return elsewhere stays in the
      // line: inside the name it breaks it.
      {"***TER  75 % (  3/  4) of FUNCTION f1()\r\n        90 % (  9/ 10) statement\r\n", "f1"},
      {"***TER  75 % (  3/  4) of FUNCTION f1()\r\r\n        90 % (  9/ 10) statement\r\r\n", "f1"},
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

// ---- both ----

// Names are C++ declarations and may hold quotes; figures keep their digit
// texts in the script but are stored as numbers, a figure the report lacks
// stays an empty text; and a second import of a script adds nothing.
TEST(CoverageImporters, ScriptsLoadTwiceIntoOneRowPerFunction) {
  const std::string ctc =
      "***TER  75 % (  3/  4) of FUNCTION f(\"x\")()\n        90 % (  9/010) statement\n"
      "***TER  75 % (  3/  4) of FUNCTION g()\n        90 % (  9/ 10) statement\n"
      "***TER  50 % (  1/  2) of FUNCTION g()\n        50 % (  5/ 10) statement\n";
  const std::string gcov = "<tr><td>Lines:</td><td>1234</td><td>1500</td><td>82.2 %</td></tr>\n";
  test::SqliteDb db;
  for (const auto& [parser_type, input] :
       {std::pair{"CTC_Coverage", ctc}, std::pair{"GCOV_Coverage", gcov}}) {
    const test::FormatOutcome outcome = test::run_format(parser_type, input);
    ASSERT_TRUE(outcome.ok) << parser_type;
    ASSERT_EQ(db.run_script(outcome.output), "") << parser_type;
    ASSERT_EQ(db.run_script(outcome.output), "") << parser_type;
  }
  EXPECT_EQ(db.query("select function_name, C0_tested_lines, C0_testable_lines, "
                     "typeof(C0_testable_lines), C1_percent, typeof(C1_percent) "
                     "from ut_coverage order by rowid"),
            (std::vector<std::string>{R"(f("x")|9|10|integer|75|integer)",
                                      "g|9|10|integer|75|integer", "|1234|1500|integer||text"}));
}

}  // namespace
}  // namespace qz
