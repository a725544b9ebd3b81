// QAC result lines: findings below the source root, de-duplicated and
// counted per source file, into q_results. The text report (qac_report.cpp)
// reads them the same way.
#include "formats/qac.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "core/sql.h"
#include "core/util.h"

namespace qz {
namespace {

constexpr SqlTable kQResultsTable{
    "q_results",
    "create table if not exists q_results (platform, project, tool, githash, date, time, "
    "filename, misra_0, misra_1, misra_2, misra_3, misra_4, misra_5, misra_6, misra_7, misra_8, "
    "misra_9, his, UNIQUE (platform, project, githash, filename) ON CONFLICT IGNORE);",
    "insert into q_results (platform, project, tool, githash, date, time, filename, misra_0, "
    "misra_1, misra_2, misra_3, misra_4, misra_5, misra_6, misra_7, misra_8, misra_9, his) "
    "values (",
    true,
    "misra_0 misra_1 misra_2 misra_3 misra_4 misra_5 misra_6 misra_7 misra_8 misra_9 his"};

// A finding as it is read, half the size of a record, as fresh memory costs
// a page fault a page: its texts by their place among the distinct texts
// (their rank in byte order once all are read), and its place in the input
// last, so that sorting keeps equal findings in input order.
struct FoundRecord {
  std::uint32_t file_name;
  std::int32_t line_number;
  std::int32_t message_number;
  std::uint32_t message_text;
  std::uint32_t index;
  std::int32_t priority;
  auto identity() const { return std::tie(file_name, line_number, message_number, message_text); }
  bool operator<(const FoundRecord& other) const {
    return std::tie(file_name, line_number, message_number, message_text, index) <
           std::tie(other.file_name, other.line_number, other.message_number, other.message_text,
                    other.index);
  }
};

// Sorts the findings and turns each first of equal ones into a record.
QacRecords sorted_distinct_records(std::vector<FoundRecord, LargeAllocator<FoundRecord>>& found,
                                   TextRanks& texts) {
  texts.number();
  for (FoundRecord& finding : found) {
    finding.file_name = texts.rank(finding.file_name);
    finding.message_text = texts.rank(finding.message_text);
  }
  std::sort(found.begin(), found.end());
  auto repeats = [&found](std::size_t i) {
    return i > 0 && found[i].identity() == found[i - 1].identity();
  };
  std::size_t distinct = 0;
  for (std::size_t i = 0; i < found.size(); ++i) distinct += repeats(i) ? 0 : 1;
  QacRecords records;
  records.reserve(distinct);
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (repeats(i)) continue;
    const FoundRecord& f = found[i];
    records.push_back({texts.text(f.file_name), f.line_number, f.priority, f.message_number,
                       texts.text(f.message_text)});
  }
  return records;
}

bool comes_first(const QacFileGroup& a, const QacFileGroup& b) {
  if (a.records.size() != b.records.size()) return a.records.size() > b.records.size();
  return a.file_name > b.file_name;
}

}  // namespace

std::string_view source_relative_name(std::string_view path) {
  const std::size_t at = path.find(kSourceRoot);
  return at == std::string_view::npos ? std::string_view() : path.substr(at);
}

// Groups: 1 file name, 2 its extension (c or cpp), 3 line number, 4 warning
// or error, 5 priority, 6 message number, 7 message text, 8 the text behind
// the message, 9 the word Ref, 10 the references.
const Pattern& qac_line_pattern() {
  static const Pattern pattern(
      R"((.*\.(cpp|c))[[:space:]]+\(([0-9]+)\)[[:space:]]+[[:punct:]]{1}[[:space:]]+(warning|error))"
      R"([[:space:]]+[[:punct:]]{1}[[:space:]]+QAC\(Prio([0-9]{1})\)[[:space:]]+Msg[[:punct:]]{1})"
      R"([[:space:]]+([0-9]+)\((.*)\.\)(.*)[[:space:]]+(Ref)[[:punct:]]{1}(.*))");
  return pattern;
}

bool classify_qac_line(std::string_view line, QacRecord& record) {
  // A line without the source root cannot give a finding, and this test is
  // far cheaper than the captures of the pattern.
  if (line.find(kSourceRoot) == std::string_view::npos) return false;
  std::array<std::string_view, 7> groups;
  if (!qac_line_pattern().match(line, groups)) return false;
  const std::string_view file_name = source_relative_name(groups[0]);
  if (file_name.empty()) return false;
  // The pattern guarantees digits; a number too large for 32 bits keeps the
  // finding and stands at the greatest value instead of wrapping.
  record.file_name = file_name;
  record.line_number = parse_decimal_int32(groups[2]);
  record.priority = parse_decimal_int32(groups[4]);
  record.message_number = parse_decimal_int32(groups[5]);
  record.message_text = groups[6];
  return true;
}

QacFindings read_qac_records(LineReader& input) {
  QacFindings findings;
  TextRanks texts;
  // Each distinct text is copied out of its line once.
  auto place = [&](std::string_view text) {
    const std::uint32_t* known = texts.find(text);
    return known != nullptr ? *known : texts.add(findings.texts.emplace_back(text));
  };
  std::vector<FoundRecord, LargeAllocator<FoundRecord>> found;
  read_records<QacRecord>(
      input, qac_line_pattern().needed_texts(), classify_qac_line, [&](const QacRecord& record) {
        found.push_back({place(record.file_name), record.line_number, record.message_number,
                         place(record.message_text), static_cast<std::uint32_t>(found.size()),
                         record.priority});
      });
  findings.records = sorted_distinct_records(found, texts);
  return findings;
}

std::vector<QacFileGroup> group_by_file(std::span<const QacRecord> records) {
  std::vector<QacFileGroup> groups;
  for (const std::span<const QacRecord> run :
       runs_of_equal_key(records, [](const QacRecord& r) { return r.file_name; })) {
    groups.push_back({run.front().file_name, run});
  }
  std::sort(groups.begin(), groups.end(), comes_first);
  return groups;
}

PriorityCounts count_priorities(const QacFileGroup& group) {
  PriorityCounts counts;
  for (const QacRecord& record : group.records) {
    if (is_his_message(record)) {
      ++counts.his;
    } else if (record.priority >= 0 && record.priority <= 9) {
      ++counts.by_priority[static_cast<std::size_t>(record.priority)];
    }
  }
  return counts;
}

FindingLevel qac_level(std::int32_t priority) {
  if (priority <= 4) return FindingLevel::kError;
  return priority <= 7 ? FindingLevel::kWarning : FindingLevel::kNote;
}

void add_qac_findings(std::span<const QacRecord> records, FindingSink& findings) {
  std::string rule;
  for (const QacRecord& record : records) {
    const DecimalText number(static_cast<std::uint32_t>(record.message_number));
    rule.assign(number.view().size() < 4 ? 4 - number.view().size() : 0, '0');
    rule += number.view();
    Finding finding;
    finding.file = record.file_name;
    finding.line = static_cast<std::uint32_t>(record.line_number);
    finding.rule_id = rule;
    finding.level = qac_level(record.priority);
    finding.message = record.message_text;
    finding.priority = record.priority;
    findings.add(finding);
  }
}

void import_qac(const Run& run) {
  const QacFindings findings = read_qac_records(run.input);
  if (run.findings != nullptr) add_qac_findings(findings.records, *run.findings);
  SqlScript script(run, kQResultsTable);
  std::string file_name;
  std::vector<SqlValue> values;
  for (const QacFileGroup& group : group_by_file(findings.records)) {
    // The file column names the platform too: "<platform>\<file name>".
    file_name.assign(run.settings.platform).append("\\").append(group.file_name);
    const PriorityCounts counts = count_priorities(group);
    std::vector<DecimalText> digits(counts.by_priority.begin(), counts.by_priority.end());
    digits.emplace_back(counts.his);
    values.assign({file_name});
    for (const DecimalText& count : digits) values.emplace_back(count.view());
    script.row(values);
  }
}

}  // namespace qz
