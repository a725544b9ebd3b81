#include "importers/qac/classify_qac_line.h"

#include <gtest/gtest.h>

#include "importers/qac/qac_test_data.h"
#include "importers/qac/source_relative_name.h"
#include "support/regex_differential.h"

namespace qz {
namespace {

constexpr std::string_view kExample =
    "D:\\work\\Src_QZ\\app\\can.c (42) : warning : QAC(Prio7) Msg: 2985(This operation is "
    "redundant.) Ref: Rule-2.2";

TEST(QacLinePattern, AgreesWithEcmascript) {
  const std::vector<std::string> seeds = {
      std::string(kExample),
      "D:\\work\\Src_QZ\\app\\main.cpp\t(7)\t:\terror\t-\tQAC(Prio0)\tMsg:\t5310(A (nested) "
      "case.) more.) Ref: x\tRef; y",
      "Src_QZ\\a.c.cpp (1) : warning : QAC(Prio9) Msg: 1(.) Ref:",
      "C:\\Src_QZ\\x.h (3) : warning : QAC(Prio1) Msg: 12(T.) Ref: R",
  };
  test::expect_same_as_ecmascript(qac_line_pattern(), kQacLinePattern,
                                  test::with_mutations(seeds));
}

TEST(ClassifyQacLine, FillsEveryFieldOfAFinding) {
  QacRecord record;
  ASSERT_TRUE(classify_qac_line(kExample, record));
  EXPECT_EQ(record.file_name, "Src_QZ\\app\\can.c");
  EXPECT_EQ(record.line_number, 42);
  EXPECT_EQ(record.priority, 7);
  EXPECT_EQ(record.message_number, 2985);
  EXPECT_EQ(record.message_text, "This operation is redundant");
}

TEST(ClassifyQacLine, AcceptsOnlyFindingsInCAndCppFilesBelowTheSourceRoot) {
  const struct {
    std::string line;
    bool accepted;
  } cases[] = {
      {test::qac_line("D:\\w\\Src_QZ\\a.cpp", "1", 2, "10", "T"), true},
      {test::qac_line("D:\\w\\Src_QZ\\a.c", "1", 2, "10", "T", "error"), true},
      {test::qac_line("D:\\w\\Src_QZ\\a.h", "1", 2, "10", "T"), false},
      {test::qac_line("D:\\w\\Src_QZ\\a.cc", "1", 2, "10", "T"), false},
      {test::qac_line("D:\\w\\Src_QZ\\a.p", "1", 2, "10", "T"), false},
      {test::qac_line("D:\\w\\Src_QZ\\a.|", "1", 2, "10", "T"), false},
      {test::qac_line("D:\\w\\Src_QZ\\a.c", "1", 2, "10", "T", "note"), false},
      {test::qac_line("D:\\w\\src_qz\\a.c", "1", 2, "10", "T"), false},
      {test::qac_line("D:/w/Src_QZ/a.c", "1", 2, "10", "T"), false},
      {test::qac_line("D:\\w\\Src_QZa.c", "1", 2, "10", "T"), false},
      {test::qac_line("D:\\w\\a.c", "1", 2, "10", "T"), false},
      {"D:\\w\\Src_QZ\\a.c (1) : warning : QAC(Prio10) Msg: 10(T.) Ref: R", false},
      {"D:\\w\\Src_QZ\\a.c (1) : warning : QAC(Prio1) Msg: 10(T) Ref: R", false},
      {"D:\\w\\Src_QZ\\a.c (1) : warning : QAC(Prio1) Msg: 10(T.) Ref R", false},
      {"D:\\w\\Src_QZ\\a.c(1) : warning : QAC(Prio1) Msg: 10(T.) Ref: R", false},
      {"", false},
  };
  for (const auto& c : cases) {
    QacRecord record;
    EXPECT_EQ(classify_qac_line(c.line, record), c.accepted) << c.line;
  }
}

TEST(ClassifyQacLine, TakesTheNameFromTheFirstMarkerAndTheTextUpToTheLastFullStop) {
  QacRecord record;
  ASSERT_TRUE(classify_qac_line(
      "E:\\Src_QZ\\x\\Src_QZ\\y.c (5) : warning : QAC(Prio3) Msg: 7(Use (a.) or (b.) here.) "
      "see also.) Ref: R-1",
      record));
  EXPECT_EQ(record.file_name, "Src_QZ\\x\\Src_QZ\\y.c");
  EXPECT_EQ(record.message_text, "Use (a.) or (b.) here.) see also");
}

TEST(ClassifyQacLine, NumbersBeyondThirtyTwoBitsSaturate) {
  const struct {
    std::string_view digits;
    std::int32_t value;
  } cases[] = {
      {"0", 0},
      {"007", 7},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"99999999999999999999999", 2147483647},
  };
  for (const auto& c : cases) {
    QacRecord record;
    ASSERT_TRUE(classify_qac_line(test::qac_line("Src_QZ\\a.c", c.digits, 1, c.digits, "T"), record))
        << c.digits;
    EXPECT_EQ(record.line_number, c.value) << c.digits;
    EXPECT_EQ(record.message_number, c.value) << c.digits;
  }
}

TEST(SourceRelativeName, KeepsThePathFromTheFirstMarker) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"D:\\a\\Src_QZ\\x.c", "Src_QZ\\x.c"},
      {"Src_QZ\\", "Src_QZ\\"},
      {"Src_QZ", ""},
      {"a\\Src_QZ\\b\\Src_QZ\\c", "Src_QZ\\b\\Src_QZ\\c"},
      {"a/Src_QZ/b", ""},
      {"a\\SRC_QZ\\b", ""},
      {"", ""},
  };
  for (const auto& [path, name] : cases) EXPECT_EQ(source_relative_name(path), name) << path;
}

}  // namespace
}  // namespace qz
