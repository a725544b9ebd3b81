#include "importers/qac/qac_report.h"

#include <string>

#include "importers/qac/band_counts.h"
#include "importers/qac/report_columns.h"
#include "output/quote_value.h"

namespace qz {
namespace {

const std::string kRule(88, '-');

void append_totals(std::size_t file_count, std::size_t unique_findings, StatementList& lines) {
  lines.emplace_back("[totals]");
  lines.push_back(kRule);
  lines.push_back("Number of files with warnings/errors : " + quote_value(std::to_string(file_count)));
  lines.push_back("Number of unique warnings/errors____ : " +
                  quote_value(std::to_string(unique_findings)));
  lines.emplace_back();
}

void append_info(const RunSettings& settings, StatementList& lines) {
  lines.emplace_back("[info]");
  lines.push_back(kRule);
  lines.push_back("Platform___: " + settings.platform);
  lines.push_back("ProjectName: " + settings.project_name);
  lines.push_back("Tool_______: " + settings.tool_name);
  lines.emplace_back();
  lines.emplace_back();
}

void append_table(std::span<const QacFileGroup> groups, StatementList& lines) {
  ReportColumns columns = report_header(groups);
  std::string separator = report_separator(columns);
  lines.push_back(std::move(columns.header));
  lines.push_back(std::move(separator));
  for (const QacFileGroup& group : groups) lines.push_back(report_row(group));
  lines.emplace_back();
}

void append_details(std::span<const QacFileGroup> groups, StatementList& lines) {
  lines.emplace_back("[Details Report]");
  lines.push_back(kRule);
  for (const QacFileGroup& group : groups) {
    lines.push_back("[filename]: " + std::string(group.file_name));
    for (const QacRecord& record : group.records) {
      std::string line = record.file_name;
      line += '(';
      line += std::to_string(record.line_number);
      line += "): ";
      line += record.message_text;
      lines.push_back(std::move(line));
    }
    lines.emplace_back();
  }
}

}  // namespace

void write_qac_report(const RunSettings& settings, std::size_t unique_findings,
                      std::span<const QacFileGroup> groups, StatementList& lines) {
  append_totals(groups.size(), unique_findings, lines);
  append_info(settings, lines);
  append_table(groups, lines);
  append_details(groups, lines);
}

}  // namespace qz
