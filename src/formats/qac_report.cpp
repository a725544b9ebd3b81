// The QAC findings as a plain-text report for people: totals, the run's
// context, a table of counts per file and every finding per file.
#include <algorithm>
#include <string>

#include "core/util.h"
#include "formats/qac_report.h"

namespace qz {
namespace {

constexpr std::size_t kRowNameWidth = 80;
constexpr std::size_t kMinimumNameWidth = 72;

void pad_to(std::string& line, std::size_t column) {
  if (line.size() < column) line.append(column - line.size(), ' ');
}

// The report is text for people, not SQL: its numbers stand in double
// quotes, as readers of earlier reports know them.
std::string in_double_quotes(std::uint64_t value) {
  return "\"" + std::string(DecimalText(value).view()) + "\"";
}

void append_field(std::string& row, std::size_t digits_width, std::uint64_t value) {
  const std::string field = in_double_quotes(value);
  if (field.size() < digits_width + 2) row.append(digits_width + 2 - field.size(), ' ');
  row += field;
}

ReportColumns columns_for(std::size_t name_width) {
  ReportColumns columns;
  columns.name_width = name_width;
  columns.totals = name_width + 30;
  columns.prio_9_8 = name_width + 60;
  columns.prio_7_5 = name_width + 75;
  columns.prio_4_0 = name_width + 90;
  columns.his = name_width + 105;
  return columns;
}

const std::string kRule(88, '-');

void write_totals(std::size_t file_count, std::size_t unique_findings, Output& output) {
  output.line("[totals]");
  output.line(kRule);
  output.line("Number of files with warnings/errors : " + in_double_quotes(file_count));
  output.line("Number of unique warnings/errors____ : " + in_double_quotes(unique_findings));
  output.line("");
}

void write_info(const RunSettings& settings, Output& output) {
  output.line("[info]");
  output.line(kRule);
  output.line("Platform___: " + settings.platform);
  output.line("ProjectName: " + settings.project_name);
  output.line("Tool_______: " + settings.tool_name);
  output.line("");
  output.line("");
}

void write_table(std::span<const QacFileGroup> groups, Output& output) {
  const ReportColumns columns = report_header(groups);
  output.line(columns.header);
  output.line(report_separator(columns));
  for (const QacFileGroup& group : groups) output.line(report_row(group));
  output.line("");
}

void write_details(std::span<const QacFileGroup> groups, Output& output) {
  output.line("[Details Report]");
  output.line(kRule);
  for (const QacFileGroup& group : groups) {
    output.text().append("[filename]: ").append(group.file_name);
    output.end_line();
    for (const QacRecord& record : group.records) {
      output.text()
          .append(record.file_name)
          .append("(")
          .append(DecimalText(static_cast<std::uint64_t>(record.line_number)).view())
          .append("): ")
          .append(record.message_text);
      output.end_line();
    }
    output.line("");
  }
}

}  // namespace

BandCounts count_bands(const QacFileGroup& group) {
  BandCounts counts;
  counts.total = group.records.size();
  for (const QacRecord& record : group.records) {
    if (is_his_message(record)) {
      ++counts.his;
    } else if (record.priority <= 4) {
      ++counts.prio_0_4;
    } else if (record.priority <= 7) {
      ++counts.prio_5_7;
    } else {
      ++counts.prio_8_9;
    }
  }
  return counts;
}

std::string format_band_counts(const BandCounts& counts) {
  std::string text;
  append_field(text, 41, counts.total);
  append_field(text, 17, counts.prio_8_9);
  append_field(text, 13, counts.prio_5_7);
  append_field(text, 13, counts.prio_0_4);
  append_field(text, 8, counts.his);
  return text;
}

std::string report_row(const QacFileGroup& group) {
  std::string row(group.file_name);
  pad_to(row, kRowNameWidth);
  row += format_band_counts(count_bands(group));
  return row;
}

ReportColumns report_header(std::span<const QacFileGroup> groups) {
  std::size_t name_width = kMinimumNameWidth;
  for (const QacFileGroup& group : groups)
    name_width = std::max(name_width, group.file_name.size());
  ReportColumns columns = columns_for(name_width);
  std::string& header = columns.header;
  header = "[Filename]";
  pad_to(header, columns.totals);
  header += "[Qac totals per file]";
  pad_to(header, columns.prio_9_8);
  header += "[Prio 9-8]";
  pad_to(header, columns.prio_7_5);
  header += "[Prio 7-5]";
  pad_to(header, columns.prio_4_0);
  header += "[Prio 4-0]";
  pad_to(header, columns.his);
  header += "[HIS]";
  return columns;
}

std::string report_separator(const ReportColumns& columns) {
  std::string line(columns.name_width + 5, '-');
  pad_to(line, columns.totals);
  line.append(21, '-');
  pad_to(line, columns.prio_9_8);
  line.append(10, '-');
  pad_to(line, columns.prio_7_5);
  line.append(10, '-');
  pad_to(line, columns.prio_4_0);
  line.append(10, '-');
  pad_to(line, columns.his);
  line.append(5, '-');
  return line;
}

void write_qac_report(const RunSettings& settings, std::size_t unique_findings,
                      std::span<const QacFileGroup> groups, Output& output) {
  write_totals(groups.size(), unique_findings, output);
  write_info(settings, output);
  write_table(groups, output);
  write_details(groups, output);
}

void import_qac_report(const Run& run) {
  const QacFindings findings = read_qac_records(run.input);
  if (run.findings != nullptr) add_qac_findings(findings.records, *run.findings);
  write_qac_report(run.settings, findings.records.size(), group_by_file(findings.records),
                   run.output);
}

}  // namespace qz
