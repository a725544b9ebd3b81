#pragma once

// QAC findings, counted per source file, into q_results.

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/finding.h"
#include "core/large_memory.h"
#include "core/line_reader.h"
#include "core/pattern.h"
#include "core/run.h"

namespace qz {

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

// QAC's priorities run from 0, the most serious, to 9; a finding's level
// follows the bands of the report: 0 to 4 errors, 5 to 7 warnings, 8 and 9
// notes.
FindingLevel qac_level(std::int32_t priority);
// Hands on every finding, in the order of the list, its message number
// (four digits at least, as QAC writes it) as the rule.
void add_qac_findings(std::span<const QacRecord> records, FindingSink& findings);

void import_qac(const Run& run);

}  // namespace qz
