// QAC result lines: findings below the source root, de-duplicated and
// counted per source file, into q_results. The text report (qac_report.cpp)
// reads them the same way.
#include <algorithm>
#include <array>
#include <tuple>
#include <unordered_map>

#include "core/sql.h"
#include "core/util.h"
#include "formats/formats.h"

namespace qz {
namespace {

constexpr SqlTable kQResultsTable{
    "q_results",
    "create table if not exists q_results (platform, project, tool, githash, date, time, "
    "filename, misra_0, misra_1, misra_2, misra_3, misra_4, misra_5, misra_6, misra_7, misra_8, "
    "misra_9, his, UNIQUE (githash, filename) ON CONFLICT IGNORE);",
    "insert into q_results (platform, project, tool, githash, date, time, filename, misra_0, "
    "misra_1, misra_2, misra_3, misra_4, misra_5, misra_6, misra_7, misra_8, misra_9, his) "
    "values (",
    true};

// The identity of a finding, and its place in the input last, so that
// sorting keeps equal findings in input order.
struct SortKey {
  std::uint32_t file_name;
  std::int32_t line_number;
  std::int32_t message_number;
  std::uint32_t message_text;
  std::uint32_t index;
  auto identity() const { return std::tie(file_name, line_number, message_number, message_text); }
  bool operator<(const SortKey& other) const {
    return std::tie(file_name, line_number, message_number, message_text, index) <
           std::tie(other.file_name, other.line_number, other.message_number, other.message_text,
                    other.index);
  }
};

void sort_and_deduplicate(QacFindings& findings) {
  TextRanks ranks;
  for (const std::string& text : findings.texts) ranks.add(text);
  ranks.number();
  std::vector<SortKey> keys;
  keys.reserve(findings.records.size());
  for (std::size_t i = 0; i < findings.records.size(); ++i) {
    const QacRecord& record = findings.records[i];
    keys.push_back({ranks[record.file_name], record.line_number, record.message_number,
                    ranks[record.message_text], static_cast<std::uint32_t>(i)});
  }
  std::sort(keys.begin(), keys.end());
  std::vector<QacRecord> kept;
  kept.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (i > 0 && keys[i].identity() == keys[i - 1].identity()) continue;
    kept.push_back(findings.records[keys[i].index]);
  }
  findings.records = std::move(kept);
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
  std::unordered_map<std::string_view, std::string_view> kept_texts;
  auto keep = [&](std::string_view text) {
    if (const auto found = kept_texts.find(text); found != kept_texts.end()) return found->second;
    const std::string_view kept = findings.texts.emplace_back(text);
    kept_texts.emplace(kept, kept);
    return kept;
  };
  read_records<QacRecord>(input, classify_qac_line, [&](const QacRecord& record) {
    QacRecord kept = record;
    kept.file_name = keep(record.file_name);
    kept.message_text = keep(record.message_text);
    findings.records.push_back(kept);
  });
  sort_and_deduplicate(findings);
  return findings;
}

std::vector<QacFileGroup> group_by_file(const std::vector<QacRecord>& records) {
  std::vector<QacFileGroup> groups;
  for (const std::span<const QacRecord> run :
       runs_of_equal_key(std::span(records), [](const QacRecord& r) { return r.file_name; })) {
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

void import_qac(const Run& run) {
  const QacFindings findings = read_qac_records(run.input);
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
