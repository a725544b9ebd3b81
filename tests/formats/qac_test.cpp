#include <gtest/gtest.h>

#include "core/file.h"
#include "core/line_reader.h"
#include "formats/qac.h"
#include "support/regex_differential.h"
#include "support/run_format.h"
#include "support/sqlite_db.h"
#include "support/temp_dir.h"

namespace qz {
namespace {

constexpr std::string_view kPatternText =
    R"((.*\.(cpp|c))[[:space:]]+\(([0-9]+)\)[[:space:]]+[[:punct:]]{1}[[:space:]]+(warning|error))"
    R"([[:space:]]+[[:punct:]]{1}[[:space:]]+QAC\(Prio([0-9]{1})\)[[:space:]]+Msg[[:punct:]]{1})"
    R"([[:space:]]+([0-9]+)\((.*)\.\)(.*)[[:space:]]+(Ref)[[:punct:]]{1}(.*))";

constexpr std::string_view kExample =
    "D:\\work\\Src_QZ\\app\\can.c (42) : warning : QAC(Prio7) Msg: 2985(This operation is "
    "redundant.) Ref: Rule-2.2";

// One result line as the analyser writes it.
std::string qac_line(std::string_view path, std::string_view line, int priority,
                     std::string_view message_number, std::string_view text,
                     std::string_view kind = "warning") {
  return std::string(path) + " (" + std::string(line) + ") : " + std::string(kind) + " : QAC(Prio" +
         std::to_string(priority) + ") Msg: " + std::string(message_number) + "(" +
         std::string(text) + ".) Ref: Rule-2.2";
}

QacRecord qac_record(std::string_view file_name, int line, int priority, int message_number) {
  return {file_name, line, priority, message_number, "Text"};
}

QacFindings read_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  const test::TempDir dir;
  File file = File::open_input(dir.write("qac.txt", text));
  LineReader reader(file);
  return read_qac_records(reader);
}

std::string describe(std::span<const QacRecord> records) {
  std::string text;
  for (const QacRecord& r : records) {
    text += std::string(r.file_name) + "(" + std::to_string(r.line_number) + ") P" +
            std::to_string(r.priority) + " M" + std::to_string(r.message_number) + " " +
            std::string(r.message_text) + "\n";
  }
  return text;
}

TEST(QacLinePattern, AgreesWithEcmascript) {
  const std::vector<std::string> seeds = {
      std::string(kExample),
      "D:\\work\\Src_QZ\\app\\main.cpp\t(7)\t:\terror\t-\tQAC(Prio0)\tMsg:\t5310(A (nested) "
      "case.) more.) Ref: x\tRef; y",
      "Src_QZ\\a.c.cpp (1) : warning : QAC(Prio9) Msg: 1(.) Ref:",
      "C:\\Src_QZ\\x.h (3) : warning : QAC(Prio1) Msg: 12(T.) Ref: R",
  };
  test::expect_same_as_ecmascript(qac_line_pattern(), kPatternText, test::with_mutations(seeds));
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
      {qac_line("D:\\w\\Src_QZ\\a.cpp", "1", 2, "10", "T"), true},
      {qac_line("D:\\w\\Src_QZ\\a.c", "1", 2, "10", "T", "error"), true},
      {qac_line("D:\\w\\Src_QZ\\a.h", "1", 2, "10", "T"), false},
      {qac_line("D:\\w\\Src_QZ\\a.cc", "1", 2, "10", "T"), false},
      {qac_line("D:\\w\\Src_QZ\\a.p", "1", 2, "10", "T"), false},
      {qac_line("D:\\w\\Src_QZ\\a.|", "1", 2, "10", "T"), false},
      {qac_line("D:\\w\\Src_QZ\\a.c", "1", 2, "10", "T", "note"), false},
      {qac_line("D:\\w\\src_qz\\a.c", "1", 2, "10", "T"), false},
      {qac_line("D:/w/Src_QZ/a.c", "1", 2, "10", "T"), false},
      {qac_line("D:\\w\\Src_QZa.c", "1", 2, "10", "T"), false},
      {qac_line("D:\\w\\a.c", "1", 2, "10", "T"), false},
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
      {"2147483646", 2147483646},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"00000000002147483647", 2147483647},
      {"99999999999999999999999", 2147483647},
  };
  for (const auto& c : cases) {
    QacRecord record;
    ASSERT_TRUE(classify_qac_line(qac_line("Src_QZ\\a.c", c.digits, 1, c.digits, "T"), record))
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

TEST(ReadQacRecords, OrdersByNameLineMessageAndText) {
  const QacFindings findings = read_lines({
      qac_line("Src_QZ\\b.c", "1", 0, "1", "Text"),
      qac_line("Src_QZ\\a.cpp", "1", 0, "1", "Text"),
      qac_line("Src_QZ\\a.c", "2", 0, "1", "Text"),
      qac_line("Src_QZ\\a.c", "10", 0, "1", "Text"),
      qac_line("Src_QZ\\a.c", "2", 0, "1", "B"),
      qac_line("Src_QZ\\a.c", "2", 0, "1", "\xe9"),
      qac_line("Src_QZ\\a.c", "2", 0, "900", "A"),
      qac_line("Src_QZ\\a.c", "2", 0, "1", "A"),
  });
  EXPECT_EQ(describe(findings.records),
            "Src_QZ\\a.c(2) P0 M1 A\n"
            "Src_QZ\\a.c(2) P0 M1 B\n"
            "Src_QZ\\a.c(2) P0 M1 Text\n"
            "Src_QZ\\a.c(2) P0 M1 \xe9\n"  // bytes compare unsigned
            "Src_QZ\\a.c(2) P0 M900 A\n"
            "Src_QZ\\a.c(10) P0 M1 Text\n"
            "Src_QZ\\a.cpp(1) P0 M1 Text\n"  // a prefix sorts first
            "Src_QZ\\b.c(1) P0 M1 Text\n");
}

TEST(ReadQacRecords, KeepsTheFirstOfRepeatedFindingsInInputOrder) {
  // Priority takes no part in what counts as the same finding.
  for (const int first_priority : {2, 8}) {
    const int second_priority = 10 - first_priority;
    const QacFindings findings = read_lines({
        qac_line("Src_QZ\\z.c", "5", first_priority, "10", "T"),
        qac_line("Src_QZ\\a.c", "1", 0, "1", "T"),
        qac_line("Src_QZ\\z.c", "5", second_priority, "10", "T"),
        qac_line("Src_QZ\\a.c", "1", 0, "1", "T"),
        qac_line("Src_QZ\\z.c", "5", first_priority, "10", "T"),
        qac_line("Src_QZ\\a.c", "1", 0, "1", "T"),
    });
    ASSERT_EQ(findings.records.size(), 2u);
    EXPECT_EQ(findings.records[1].priority, first_priority);
  }
}

TEST(GroupByFile, LargerGroupsFirstAndTiesByDescendingName) {
  const std::vector<QacRecord> records = {
      qac_record("Src_QZ\\a.c", 1, 0, 1), qac_record("Src_QZ\\a.c", 2, 0, 1),
      qac_record("Src_QZ\\b.c", 1, 0, 1), qac_record("Src_QZ\\b.c", 2, 0, 1),
      qac_record("Src_QZ\\c.c", 7, 0, 1), qac_record("Src_QZ\\d.c", 1, 0, 1),
      qac_record("Src_QZ\\d.c", 2, 0, 1), qac_record("Src_QZ\\d.c", 3, 0, 1),
      qac_record("Src_QZ\\e.c", 1, 0, 1),
  };
  const std::vector<QacFileGroup> groups = group_by_file(records);
  std::vector<std::string> order;
  for (const QacFileGroup& group : groups) {
    order.push_back(std::string(group.file_name) + ":" + std::to_string(group.records.size()));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Src_QZ\\d.c:3", "Src_QZ\\b.c:2", "Src_QZ\\a.c:2",
                                             "Src_QZ\\e.c:1", "Src_QZ\\c.c:1"}));
  ASSERT_EQ(groups[0].records.size(), 3u);
  EXPECT_EQ(groups[0].records[0].line_number, 1);
  EXPECT_EQ(groups[0].records[2].line_number, 3);
  EXPECT_TRUE(group_by_file({}).empty());
}

TEST(CountPriorities, HisMessagesCountOnlyAsHis) {
  const std::vector<QacRecord> records = {
      qac_record("f", 1, 9, 5299), qac_record("f", 2, 9, 5300), qac_record("f", 3, 0, 5350),
      qac_record("f", 4, 5, 5399), qac_record("f", 5, 0, 5400), qac_record("f", 6, 4, 1),
      qac_record("f", 7, 7, 2),    qac_record("f", 8, 8, 3),
  };
  const PriorityCounts counts = count_priorities({"f", records});
  EXPECT_EQ(counts.by_priority, (std::array<std::uint64_t, 10>{1, 0, 0, 0, 1, 0, 0, 1, 1, 1}));
  EXPECT_EQ(counts.his, 3u);
}

TEST(QacLevel, FollowsTheBandsOfTheReport) {
  const std::pair<std::int32_t, FindingLevel> cases[] = {
      {0, FindingLevel::kError},   {4, FindingLevel::kError}, {5, FindingLevel::kWarning},
      {7, FindingLevel::kWarning}, {8, FindingLevel::kNote},  {9, FindingLevel::kNote},
  };
  for (const auto& [priority, level] : cases) EXPECT_EQ(qac_level(priority), level) << priority;
}

// Whole outputs of both parser types are compared by the end-to-end cases;
// here the script meets a database, with a file name that needs quoting.
TEST(ImportQac, ScriptLoadsIntoSqliteAndRepeatsAddNoRows) {
  const std::string input = qac_line("D:\\w\\Src_QZ\\a.c", "1", 0, "1", "A") + "\n" +
                            qac_line("D:\\w\\Src_QZ\\a.c", "2", 9, "5399", "B") + "\n" +
                            qac_line("D:\\w\\Src_QZ\\he said \"no\".c", "3", 5, "7", "C") + "\n";
  const test::FormatOutcome outcome = test::run_format("QAC", input);
  ASSERT_TRUE(outcome.ok);
  EXPECT_EQ(outcome.stdout_text, outcome.output);
  test::SqliteDb db;
  ASSERT_EQ(db.run_script(outcome.output), "");
  ASSERT_EQ(db.run_script(outcome.output), "");
  EXPECT_EQ(db.query("select filename, misra_0, misra_5, misra_9, his from q_results "
                     "order by rowid"),
            (std::vector<std::string>{R"(Hmt4\Src_QZ\a.c|1|0|0|1)",
                                      R"(Hmt4\Src_QZ\he said "no".c|0|1|0|0)"}));
}

}  // namespace
}  // namespace qz
