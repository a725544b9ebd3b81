#pragma once

// The input formats the program reads, one source file per family. This is
// the one place where the parser type names live; the rest of this header is
// what each family offers its neighbours and its tests.

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/large_memory.h"
#include "core/line_reader.h"
#include "core/output.h"
#include "core/pattern.h"
#include "core/run.h"

namespace qz {

// What a format writes: an SQL script (which may also be imported into a
// database), a report for people (echoed like a script), or a page (not
// echoed).
enum class OutputKind { kSqlScript, kReport, kPage };

// Reads run.input to its end and writes run.output. Failures are thrown
// (RunError, std::bad_alloc); the driver reports them.
using Importer = void (*)(const Run& run);

struct Format {
  std::string_view parser_type;
  Importer import;
  OutputKind output;
};

// ---- pass_fail.cpp: unit-test logs into ut_results ----

struct TestResultRecord {
  std::string name;
  std::string result;  // "passed", "PASSED", "failed" or "FAILED", as written
};

// Blanks, "Test", punctuation, blanks, the name, anything, blanks,
// punctuation (usually dots) and the result word ending the line.
const Pattern& test_line_pattern();
// Fills `record` and returns true when the whole line is a test line;
// otherwise leaves it untouched.
bool classify_test_line(std::string_view line, TestResultRecord& record);
void import_pass_fail(const Run& run);

// ---- coverage.cpp: GCOV and CTC coverage reports into ut_coverage ----

// The coverage figures of one function, or of a whole module or page. The
// figures stay the digit texts of the report, so leading zeros pass through.
// C0 is statement (for GCOV: line) coverage, C1 decision coverage; a figure
// the report does not give stays empty.
struct CoverageRecord {
  std::string function_name;
  std::string C0_percent;
  std::string C0_tested_lines;
  std::string C0_testable_lines;
  std::string C1_percent;
  std::string C1_tested_lines;
  std::string C1_testable_lines;
};

// The "Lines" summary row of a GCOV HTML page, on one line:
// <tr><td>Lines:</td><td>executed</td><td>executable</td><td>percent...</td></tr>.
const Pattern& gcov_line_pattern();
// Fills the C0 figures (the percentage cut to its leading digits) and
// returns true for a "Lines" row; otherwise leaves the record untouched.
bool classify_gcov_line(std::string_view line, CoverageRecord& record);

// A CTC function entry, its two report lines joined directly:
// "***TER  75 % (  3/  4) of FUNCTION name()" "        90 % (  9/ 10) statement".
const Pattern& ctc_function_pattern();
// A CTC module summary, its two report lines joined by one blank:
// "TER : 80 % (12/15) decision" "TER : 85 % (34/40) statement".
const Pattern& ctc_module_pattern();
// The function name given to module summaries.
inline constexpr std::string_view kModuleStatisticsName = "*module_statistics";
// Fills `record` from one joined pair of lines; false (record untouched)
// when it is neither a function entry nor a module summary.
bool classify_ctc_text(std::string_view text, CoverageRecord& record);
// Hands every entry of the input to `take`, in input order. A line beginning
// with "***TER" or "TER" opens a pair and uses up the line after it.
void read_ctc_records(LineReader& input, const std::function<void(const CoverageRecord&)>& take);

void import_gcov_coverage(const Run& run);
void import_ctc_coverage(const Run& run);

// ---- map.cpp: linker maps into compiler_map ----

// One placed piece of code or data.
struct MapRecord {
  std::string originhex;  // start address, hexadecimal digits as read
  std::uint32_t origindec = 0;
  std::string sizehex;  // size, hexadecimal digits
  std::uint32_t sizedec = 0;
  std::string section;
  std::string filename;  // module or object file
};

// "origin+size  section  module": eight and six lower-case hexadecimal
// digits, a section (or two joined by " -> "), then the module name.
const Pattern& map_line_pattern();
bool classify_map_line(std::string_view line, MapRecord& record);
// An indented KEIL map entry: symbol, 0x and eight hexadecimal digits, type,
// decimal size, then object(section).
const Pattern& keil_map_line_pattern();
bool classify_keil_map_line(std::string_view line, MapRecord& record);

void import_map(const Run& run);
void import_keil_map(const Run& run);

// ---- warnings.cpp: compiler output of three toolchains into compiler_results ----

struct WarningRecord {
  std::string filename;  // below the source root
  std::string line;
  std::string type;      // "error" or "warning"
  std::string error_id;  // identifier ("Warning") or message text ("Warning_KEIL")
};

// "\"file\", line N: warning #id:" -- the line ends with the colon (blanks
// may follow).
const Pattern& warning_line_pattern();
bool classify_warning_line(std::string_view line, WarningRecord& record);
// The number inside an identifier such as "#552-D": the first character
// dropped and, from three characters on, the last two as well. Empty for an
// empty identifier.
std::string_view warning_error_number(std::string_view error_id);

// "file:line:column: warning: message" (or error).
const Pattern& keil_warning_line_pattern();
bool classify_keil_line(std::string_view line, WarningRecord& record);

struct TricoreWarningRecord {
  std::string filename;  // forward slashes, below the source root
  std::string line;
  std::string type;  // always "Warning"
  std::string warning_number;
  std::string message;  // double quotes turned into apostrophes
};

// "ctc W527: [\"path\" line/column] message".
const Pattern& tricore_line_pattern();
bool classify_tricore_line(std::string_view line, TricoreWarningRecord& record);

void import_warning(const Run& run);
void import_warning_keil(const Run& run);
void import_warning_tricore(const Run& run);

// ---- qac.cpp: QAC findings, counted per source file, into q_results ----

// One finding of the QAC analyser that lies below the source root. Its
// texts are views: into the line while it is classified, into the texts of
// its QacFindings after reading.
struct QacRecord {
  std::string_view file_name;  // from the first "Src_QZ\" to the end of the path
  std::int32_t line_number = 0;
  std::int32_t priority = 0;  // one digit, 0 to 9
  std::int32_t message_number = 0;
  std::string_view message_text;  // without the final "." of the message
};

// HIS messages (5300 to 5399) are counted as HIS only, never under their
// priority.
inline bool is_his_message(const QacRecord& record) {
  return record.message_number >= 5300 && record.message_number <= 5399;
}

// Findings in files outside the source root are not imported.
inline constexpr std::string_view kSourceRoot = "Src_QZ\\";
// The part of `path` from its first "Src_QZ\" to its end, or empty.
std::string_view source_relative_name(std::string_view path);

//   D:\work\Src_QZ\app\can.c (42) : warning : QAC(Prio7) Msg: 2985(This operation is redundant.)
//   Ref: Rule-2.2
const Pattern& qac_line_pattern();
// Fills `record` from a finding below the source root; false (record
// unspecified) for any other line.
bool classify_qac_line(std::string_view line, QacRecord& record);

// The findings of one input and the texts they view: each distinct file name
// and message text is kept once, however often it is repeated.
using QacRecords = std::vector<QacRecord, LargeAllocator<QacRecord>>;
struct QacFindings {
  QacRecords records;
  std::deque<std::string> texts;
};
// The findings of the whole input, sorted by file name, line number, message
// number and message text (bytes unsigned), repeated findings dropped: of
// findings equal in these four, the first in input order is kept.
QacFindings read_qac_records(LineReader& input);

// The findings of one source file: a run of the sorted list.
struct QacFileGroup {
  std::string_view file_name;
  std::span<const QacRecord> records;
};
// One group per file, more findings first and, at equal counts, the greater
// file name first. The records must outlive the groups.
std::vector<QacFileGroup> group_by_file(std::span<const QacRecord> records);

// The figures of one file in q_results.
struct PriorityCounts {
  std::array<std::uint64_t, 10> by_priority{};  // findings that are no HIS message
  std::uint64_t his = 0;
};
PriorityCounts count_priorities(const QacFileGroup& group);

void import_qac(const Run& run);

// ---- qac_report.cpp: the QAC findings as a text report for people ----

// The figures of one file in the report; `total` is the sum of the others.
struct BandCounts {
  std::uint64_t total = 0;
  std::uint64_t prio_0_4 = 0;
  std::uint64_t prio_5_7 = 0;
  std::uint64_t prio_8_9 = 0;
  std::uint64_t his = 0;
};
BandCounts count_bands(const QacFileGroup& group);
// The right-hand part of a table row: total, priorities 9-8, 7-5, 4-0 and
// HIS, each quoted and right-aligned under the end of its label (fields of
// 43, 19, 15, 15 and 10 characters). A number too long for its field pushes
// the rest of the row right.
std::string format_band_counts(const BandCounts& counts);
// One table row: the name in a column of 80 characters (a longer name is
// followed directly by the counts), then format_band_counts.
std::string report_row(const QacFileGroup& group);

// Where the labels of the report's table start, counted from 0. The name
// column is as wide as the longest file name, but at least 72 characters.
struct ReportColumns {
  std::string header;
  std::size_t name_width = 0;
  std::size_t totals = 0;
  std::size_t prio_9_8 = 0;
  std::size_t prio_7_5 = 0;
  std::size_t prio_4_0 = 0;
  std::size_t his = 0;
};
ReportColumns report_header(std::span<const QacFileGroup> groups);
// The dashed line under the header: one run of hyphens under each label.
std::string report_separator(const ReportColumns& columns);

// Totals, the run's context, a table with one row per file (in group order)
// and every finding per file.
void write_qac_report(const RunSettings& settings, std::size_t unique_findings,
                      std::span<const QacFileGroup> groups, Output& output);
void import_qac_report(const Run& run);

// ---- clang_tidy_lines.cpp: clang-tidy console output cut into messages ----

// The first line of a diagnostic: "line:column:", white space, a severity,
// a colon and white space, anything around them.
const Pattern& tidy_start_pattern();
// True when the whole line matches tidy_start_pattern (found by a scan).
bool starts_tidy_message(std::string_view line);
// True for a line that clang-tidy or its parallel runner print about the run
// itself rather than about the code: "N warnings generated.", "Suppressed N
// warnings (...).", "Use -header-filter=...", "[i/n] Processing file ...",
// "Error while processing ...", "Found compiler error...", "Fixes have NOT
// been applied." and a command line whose first word names clang-tidy
// (clang-tidy, clang-tidy-N or clang-tidy.exe, after any directory).
bool is_run_line(std::string_view line);

// Joins input lines into message texts, one line at a time, so that the
// whole input is never held. The first line, and every line that starts a
// diagnostic, begins a new message; any other line is appended to the
// current one after one blank. A run line (is_run_line) ends the current
// message too, but it and the lines after it, up to the next diagnostic,
// are left out: clang-tidy's words about the run belong to no message. A
// message that grows beyond `max_size` bytes is dropped whole and counted,
// so that no input exhausts the memory.
class MessageJoiner {
 public:
  explicit MessageJoiner(std::size_t max_size = LineReader::kDefaultMaxLine)
      : max_size_(max_size) {}

  // True when `line` began a new message and the previous one is handed out
  // in `finished`.
  bool add_line(std::string_view line, std::string& finished);
  // Hands out the last message at the end of the input; false when no line
  // came.
  bool finish(std::string& finished);
  // Messages dropped for their size.
  std::size_t dropped() const { return dropped_; }

 private:
  bool hand_out(std::string& finished);

  std::size_t max_size_;
  std::string text_;
  bool has_text_ = false;
  bool in_run_text_ = false;  // lines up to the next diagnostic are left out
  bool too_long_ = false;
  std::size_t dropped_ = 0;
};

// ---- clang_tidy.cpp: the messages parsed, sorted and de-duplicated ----

// Where a part of a text lies in it.
struct TextPart {
  std::uint32_t begin = 0;
  std::uint32_t size = 0;
};

// One clang-tidy diagnostic as the page shows it. Its parts are places in
// its text, which is a view: into the joined lines while it is parsed, into
// the texts of its TidyMessages after collection.
struct TidyMessage {
  std::string_view text;  // all lines of the diagnostic joined by single blanks
  std::int32_t line = 0;
  std::int32_t column = 0;
  TextPart file_part;   // the path before the position, ending in .cpp, .c or .h
  TextPart check_part;  // the text of the last bracket pair
  // The summary: severity, message, check and trailing text, taken as if
  // written one after the other, each followed by one blank.
  std::array<TextPart, 4> summary_parts;

  std::string_view part(TextPart place) const { return text.substr(place.begin, place.size); }
  std::string_view file() const { return part(file_part); }
  std::string_view check() const { return part(check_part); }
};

// A whole diagnostic: a path ending in .cpp, .c or .h, "line:column:", a
// severity, the message, a bracket pair holding the check, and what follows.
const Pattern& tidy_message_pattern();
// The eight groups of tidy_message_pattern: file, extension, line, column,
// severity, message, check, trailer.
using TidyMessageGroups = std::array<std::string_view, 8>;
// Finds the groups that tidy_message_pattern captures, with the same greedy
// choices, by scanning for the few places where they can begin and end;
// false exactly when the text does not match the pattern.
bool split_tidy_message(std::string_view text, TidyMessageGroups& groups);
// Fills `message` from one joined text (of less than 4 GiB); false (message
// untouched) when the text does not match tidy_message_pattern.
bool parse_tidy_message(std::string_view text, TidyMessage& message);

// Orders by file, then line, check, summary, column and whole text (texts
// bytes unsigned), so that equal messages are neighbours.
bool tidy_message_less(const TidyMessage& a, const TidyMessage& b);
// Same file, line, column, check and text.
bool tidy_message_equal(const TidyMessage& a, const TidyMessage& b);

// The messages of one input and the texts they view, kept in large blocks
// rather than one allocation per message.
using TidyMessageList = std::vector<TidyMessage, LargeAllocator<TidyMessage>>;
struct TidyMessages {
  TidyMessageList messages;
  std::vector<LargeBytes> text_blocks;
  std::size_t block_size = 0;
  std::size_t block_used = 0;
};

// Reads the whole input into messages, keeps those that parse, sorts them
// and drops duplicates. False, with the reason printed, when none is left.
bool collect_tidy_messages(LineReader& input, TidyMessages& collected);

void visualize_clang_tidy(const Run& run);

// ---- clang_tidy_page.cpp: the HTML page of clang-tidy findings ----

// The messages of one source file, one section of the page.
struct FileGroup {
  std::string_view path;
  std::span<const TidyMessage> messages;
};
// One group per file of the sorted messages, in ascending byte order of
// their paths.
std::vector<FileGroup> group_messages_by_file(std::span<const TidyMessage> sorted);
// Writes the page; groups are numbered by position from 0, file names and
// message texts are HTML-escaped. Meant for at least one group.
void write_report_page(std::span<const FileGroup> groups, Output& output);

// ---- the list ----

// Every format, in the order the parser types are matched.
inline constexpr std::array<Format, 11> kFormats{{
    {"ClangTidy", visualize_clang_tidy, OutputKind::kPage},
    {"PassFail", import_pass_fail, OutputKind::kSqlScript},
    {"CTC_Coverage", import_ctc_coverage, OutputKind::kSqlScript},
    {"GCOV_Coverage", import_gcov_coverage, OutputKind::kSqlScript},
    {"QAC", import_qac, OutputKind::kSqlScript},
    {"QAC_full_report", import_qac_report, OutputKind::kReport},
    {"Warning", import_warning, OutputKind::kSqlScript},
    {"Warning_KEIL", import_warning_keil, OutputKind::kSqlScript},
    {"Warning_Tricore", import_warning_tricore, OutputKind::kSqlScript},
    {"Map", import_map, OutputKind::kSqlScript},
    {"Map_KEIL", import_keil_map, OutputKind::kSqlScript},
}};

// The format of exactly this parser type (same bytes, same case), or null.
inline const Format* find_format(std::string_view parser_type) {
  for (const Format& format : kFormats) {
    if (format.parser_type == parser_type) return &format;
  }
  return nullptr;
}

}  // namespace qz
