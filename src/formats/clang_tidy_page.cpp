// The HTML page of clang-tidy findings: a list of the source files and, for
// each, a section with its messages, shown one at a time by a small script.
#include <string_view>

#include "core/util.h"
#include "formats/clang_tidy_page.h"

namespace qz {
namespace {

// The fixed pieces of the report page, byte for byte: every leading blank and
// line break belongs to the page as readers of earlier pages know it.
constexpr std::string_view kHead =
    "\n"
    "<!DOCTYPE html>\n"
    "<head>\n"
    "    <title> QZ Clang-Tidy Visualizer</title>\n"
    "    <meta charset=\"UTF-8\">\n"
    "    <meta name=\"author\" content=\"Tovar Quell\">\n"
    "    <meta name=\"description\" content=\"Documentation tool for visualizing Clang-Tidy checks.\">\n"
    "    <meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n"
    "    <link rel=\"stylesheet\" href=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.7/css/bootstrap.min.css\">\n"
    "    <script src=\"https://ajax.googleapis.com/ajax/libs/jquery/3.3.1/jquery.min.js\"></script>\n"
    "    <script src=\"https://maxcdn.bootstrapcdn.com/bootstrap/3.3.7/js/bootstrap.min.js\"></script>\n"
    "</head>";

constexpr std::string_view kBodyStart =
    "\n"
    "<body style=\"background: rgb(220, 227, 230); width: 100%; height: 100%;\">\n"
    "    <div id=\"container\" style=\"margin-left: 2%; margin-right: 2%;\">\n"
    "        <div id=\"header\" style=\"height: 55px; display: flex; justify-content: left; position: relative;\">\n"
    "            <h3 style=\"text-align: center; color: #111; font-family: 'Helvetica Neue', sans-serif; font-weight: bold;     letter-spacing: 0.5px; line-height: 1;\"> QZ Clang-Tidy Checks</h3>\n"
    "        </div>\n"
    "        <br>\n"
    "        <ul id=\"list\" class=\"list-group\" align=\"left\" style=\"display: block; width: 25%; height: 0; margin-bottom: 0;\">";

// List entry of group N: kListEntryStart, N, kListEntryStartEnd; then the
// name line and kListEntryEnd.
constexpr std::string_view kListEntryStart =
    "\n"
    "            <a id=\"check\" style=\"color: black\" href=\"#\" class=\"list-group-item list-group-item-action\"onclick=\"toggleInfo(";
constexpr std::string_view kListEntryStartEnd = ")\">";
constexpr std::string_view kListEntryNameIndent = "                 ";
constexpr std::string_view kListEntryEnd = "            </a>";

constexpr std::string_view kSpacer = " ";
constexpr std::string_view kListEnd = "        </ul>";

// Section of group N: kSectionStart, N, kSectionStartEnd; then the title
// line and the pieces below.
constexpr std::string_view kSectionStart =
    "\n"
    "        <div id=\"";
constexpr std::string_view kSectionStartEnd =
    "\" style=\"display: none; width: 75%; float: right\">\n"
    "            <div style=\"display: flex; justify-content: left; position: relative;\">\n"
    "                <button id=\"collapse-btn1\" type=\"button\" class=\"btn nohover\" onclick=\"collapseSidebar()\"\n"
    "                            style=\"outline: none; background-color: lightgray\" title=\"Collapse sidebar\">\n"
    "                <span id=\"collapse-img1\" class=\"glyphicon glyphicon-menu-left\"></button></span>\n"
    "                <h4 style=\"margin-top: 0; color: #111; position: absolute; left: 50%; transform: translateX(-50%); margin-bottom: 10px;\">";
constexpr std::string_view kSectionTitleIndent = "                     ";
constexpr std::string_view kTitleEnd = "                </h4>";
constexpr std::string_view kHeaderEnd = "            </div>";
constexpr std::string_view kTextStart = "            <pre>";
constexpr std::string_view kTextEnd = "            </pre>";
constexpr std::string_view kSectionEnd = "        </div>";

constexpr std::string_view kContainerEnd = "    </div>";
constexpr std::string_view kBodyEnd = "</body>";

// The script: kScriptStart, the number of groups, kScriptEnd.
constexpr std::string_view kScriptStart =
    "\n"
    "<script>\n"
    "    function toggleInfo(check_position) {\n"
    "        selected_idx = check_position;\n"
    "        clearContent();\n"
    "        // Displays the chosen clang-tidy category.\n"
    "        let category = document.getElementById(check_position);\n"
    "        category.style.display = (category.style.display === \"none\") ? \"block\" : \"none\";\n"
    "    }\n"
    "\n"
    "    // Clears document when choosing another selection.\n"
    "    function clearContent() {\n"
    "        for (let all_checks = 0; all_checks < ";
constexpr std::string_view kScriptEnd =
    "; all_checks++) {\n"
    "            let clear = document.getElementById(all_checks);\n"
    "            if (clear.style.display === \"block\") {\n"
    "                clear.style.display = \"none\";\n"
    "            }\n"
    "        }\n"
    "    }\n"
    "\n"
    "    // Shows or hides the file list.\n"
    "    function collapseSidebar() {\n"
    "        let list = document.getElementById(\"list\");\n"
    "        list.style.display = (list.style.display === \"none\") ? \"block\" : \"none\";\n"
    "    }\n"
    "</script>";

constexpr std::string_view kStyle =
    "<style>\n"
    "    pre {\n"
    "        white-space: pre-wrap;\n"
    "        word-break: keep-all;\n"
    "    }\n"
    "\n"
    "    #header {\n"
    "        border-bottom: 2px solid darkgray\n"
    "    }\n"
    "\n"
    "    /* For readers without the style sheet from the web: its own values,\n"
    "       so that they change nothing where it loads. */\n"
    "    .list-group {\n"
    "        padding-left: 0;\n"
    "    }\n"
    "\n"
    "    .list-group-item {\n"
    "        position: relative;\n"
    "        display: block;\n"
    "        padding: 10px 15px;\n"
    "        margin-bottom: -1px;\n"
    "        background-color: #fff;\n"
    "        border: 1px solid #ddd;\n"
    "    }\n"
    "\n"
    "    a.list-group-item {\n"
    "        cursor: pointer;\n"
    "        text-decoration: none;\n"
    "    }\n"
    "\n"
    "    .btn {\n"
    "        padding: 6px 12px;\n"
    "        font-size: 14px;\n"
    "        line-height: 1.42857143;\n"
    "        border: 1px solid transparent;\n"
    "        border-radius: 4px;\n"
    "        cursor: pointer;\n"
    "    }\n"
    "\n"
    "    /* A sign for the collapse button without the icon font; the icon's\n"
    "       own, more specific rule replaces it where the style sheet loads. */\n"
    "    button > span:before {\n"
    "        content: \"\\2039\";\n"
    "    }\n"
    "</style>\n"
    "\n"
    "</html>";

// An indented line showing the file name of a group.
void write_name_line(Output& output, std::string_view indent, const FileGroup& group) {
  output.text().append(indent);
  append_html_escaped(output.text(), base_name(group.path));
  output.end_line();
}

// A fixed piece with a number inside: start, number, end.
void write_numbered(Output& output, std::string_view start, std::size_t number,
                    std::string_view end) {
  output.text().append(start).append(DecimalText(number).view()).append(end);
  output.end_line();
}

void write_list_entry(Output& output, const FileGroup& group, std::size_t number) {
  write_numbered(output, kListEntryStart, number, kListEntryStartEnd);
  write_name_line(output, kListEntryNameIndent, group);
  output.line(kListEntryEnd);
}

void write_section(Output& output, const FileGroup& group, std::size_t number) {
  write_numbered(output, kSectionStart, number, kSectionStartEnd);
  write_name_line(output, kSectionTitleIndent, group);
  output.line(kTitleEnd);
  output.line(kSpacer);
  output.line(kHeaderEnd);
  output.line(kTextStart);
  for (const TidyMessage& message : group.messages) {
    // Each message text is followed by an empty line inside the <pre>.
    append_html_escaped(output.text(), message.text);
    output.text() += '\n';
    output.end_line();
    output.line(kSpacer);
  }
  output.line(kSpacer);
  output.line(kTextEnd);
  output.line(kSectionEnd);
}

}  // namespace

std::vector<FileGroup> group_messages_by_file(std::span<const TidyMessage> sorted) {
  std::vector<FileGroup> groups;
  for (const std::span<const TidyMessage> run :
       runs_of_equal_key(sorted, [](const TidyMessage& m) { return m.file(); })) {
    groups.push_back({run.front().file(), run});
  }
  return groups;
}

void write_report_page(std::span<const FileGroup> groups, Output& output) {
  output.line(kHead);
  output.line(kBodyStart);
  for (std::size_t number = 0; number < groups.size(); ++number) {
    write_list_entry(output, groups[number], number);
  }
  output.line(kSpacer);
  output.line(kListEnd);
  for (std::size_t number = 0; number < groups.size(); ++number) {
    write_section(output, groups[number], number);
  }
  output.line(kSpacer);
  output.line(kContainerEnd);
  output.line(kBodyEnd);
  write_numbered(output, kScriptStart, groups.size(), kScriptEnd);
  output.line(kStyle);
}

}  // namespace qz
