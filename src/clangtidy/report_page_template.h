#pragma once

#include <string_view>

// The fixed pieces of the report page, byte for byte: every leading blank and
// line break belongs to the page as readers of earlier pages know it.
namespace qz::report_page {

inline constexpr std::string_view kHead =
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

inline constexpr std::string_view kBodyStart =
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
inline constexpr std::string_view kListEntryStart =
    "\n"
    "            <a id=\"check\" style=\"color: black\" href=\"#\" class=\"list-group-item list-group-item-action\"onclick=\"toggleInfo(";
inline constexpr std::string_view kListEntryStartEnd = ")\">";
inline constexpr std::string_view kListEntryNameIndent = "                 ";
inline constexpr std::string_view kListEntryEnd = "            </a>";

inline constexpr std::string_view kSpacer = " ";
inline constexpr std::string_view kListEnd = "        </ul>";

// Section of group N: kSectionStart, N, kSectionStartEnd; then the title
// line and the pieces below.
inline constexpr std::string_view kSectionStart =
    "\n"
    "        <div id=\"";
inline constexpr std::string_view kSectionStartEnd =
    "\" style=\"display: none; width: 75%; float: right\">\n"
    "            <div style=\"display: flex; justify-content: left; position: relative;\">\n"
    "                <button id=\"collapse-btn1\" type=\"button\" class=\"btn nohover\" onclick=\"collapseSidebar()\"\n"
    "                            style=\"outline: none; background-color: lightgray\" title=\"Collapse sidebar\">\n"
    "                <span id=\"collapse-img1\" class=\"glyphicon glyphicon-menu-left\"></button></span>\n"
    "                <h4 style=\"margin-top: 0; color: #111; position: absolute; left: 50%; transform: translateX(-50%); margin-bottom: 10px;\">";
inline constexpr std::string_view kSectionTitleIndent = "                     ";
inline constexpr std::string_view kTitleEnd = "                </h4>";
inline constexpr std::string_view kHeaderEnd = "            </div>";
inline constexpr std::string_view kTextStart = "            <pre>";
inline constexpr std::string_view kTextEnd = "            </pre>";
inline constexpr std::string_view kSectionEnd = "        </div>";

inline constexpr std::string_view kContainerEnd = "    </div>";
inline constexpr std::string_view kBodyEnd = "</body>";

// The script: kScriptStart, the number of groups, kScriptEnd.
inline constexpr std::string_view kScriptStart =
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
inline constexpr std::string_view kScriptEnd =
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

inline constexpr std::string_view kStyle =
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

}  // namespace qz::report_page
