#include "clangtidy/build_report_page.h"

#include <string_view>

#include "clangtidy/base_name.h"
#include "clangtidy/html_escape.h"
#include "clangtidy/report_page_template.h"

namespace qz {
namespace {

using Page = std::vector<std::string>;

void add(Page& page, std::string_view entry) { page.emplace_back(entry); }

// An indented line showing the file name of a group.
void add_name_line(Page& page, std::string_view indent, const FileGroup& group) {
  std::string entry(indent);
  append_html_escaped(entry, base_name(group.path));
  page.push_back(std::move(entry));
}

void add_list_entry(Page& page, const FileGroup& group, std::size_t number) {
  page.push_back(std::string(report_page::kListEntryStart) + std::to_string(number) +
                 std::string(report_page::kListEntryStartEnd));
  add_name_line(page, report_page::kListEntryNameIndent, group);
  add(page, report_page::kListEntryEnd);
}

void add_message_text(Page& page, const TidyMessage& message) {
  std::string entry;
  entry.reserve(message.text.size() + 1);
  append_html_escaped(entry, message.text);
  entry += '\n';
  page.push_back(std::move(entry));
  add(page, report_page::kSpacer);
}

void add_section(Page& page, const FileGroup& group, std::size_t number) {
  page.push_back(std::string(report_page::kSectionStart) + std::to_string(number) +
                 std::string(report_page::kSectionStartEnd));
  add_name_line(page, report_page::kSectionTitleIndent, group);
  add(page, report_page::kTitleEnd);
  add(page, report_page::kSpacer);
  add(page, report_page::kHeaderEnd);
  add(page, report_page::kTextStart);
  for (const TidyMessage& message : group.messages) add_message_text(page, message);
  add(page, report_page::kSpacer);
  add(page, report_page::kTextEnd);
  add(page, report_page::kSectionEnd);
}

}  // namespace

std::vector<std::string> build_report_page(const std::vector<FileGroup>& groups) {
  Page page;
  add(page, report_page::kHead);
  add(page, report_page::kBodyStart);
  for (std::size_t number = 0; number < groups.size(); ++number) {
    add_list_entry(page, groups[number], number);
  }
  add(page, report_page::kSpacer);
  add(page, report_page::kListEnd);
  for (std::size_t number = 0; number < groups.size(); ++number) {
    add_section(page, groups[number], number);
  }
  add(page, report_page::kSpacer);
  add(page, report_page::kContainerEnd);
  add(page, report_page::kBodyEnd);
  page.push_back(std::string(report_page::kScriptStart) + std::to_string(groups.size()) +
                 std::string(report_page::kScriptEnd));
  add(page, report_page::kStyle);
  return page;
}

}  // namespace qz
