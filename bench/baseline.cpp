// qz_bench_baseline PARSER_TYPE INPUT OUTPUT
// The loop a user would write first, as the yardstick of the benchmark:
// std::getline, std::regex_match with each pattern as first written,
// string concatenation and std::ofstream, echo to std::cout. Output formats
// are the program's; the QAC report and the clang-tidy page are reduced to
// their rows, which is where the time goes.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

const std::string kRun = "\"Hmt4\", \"Bench\", \"Bench\", \"0\", \"2022-11-30\", \"14:05:09\"";
const std::string kRunNoTool = "\"Hmt4\", \"Bench\", \"0\", \"2022-11-30\", \"14:05:09\"";

std::string q(const std::string& value) { return "\"" + value + "\""; }

// Text mode reading as the stream gives it: the line without "\n", a CR
// before it removed.
bool next_line(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void line_rows(std::istream& in, const std::regex& pattern, Rows& rows,
               std::string (*row)(const std::smatch&)) {
  std::smatch m;
  for (std::string line; next_line(in, line);) {
    if (std::regex_match(line, m, pattern)) rows.push_back(row(m));
  }
}

const char* kCoveragePrefix =
    "insert into ut_coverage (platform, project, tool, githash, date, time, C0_percent, "
    "C0_tested_lines, C0_testable_lines, C1_percent, C1_tested_lines, C1_testable_lines, "
    "function_name) values (";
const char* kMapPrefix =
    "insert into compiler_map (platform, project, githash, date, time, originhex, origindec, "
    "sizehex, sizedec, section, filename) values (";
const char* kResultsPrefix =
    "insert into compiler_results (platform, project, githash, date, time, filename, line, type, "
    "error_id, error_num) values (";

std::string strip_src(const std::string& path) {
  const auto at = path.find("/Src/");
  return at == std::string::npos ? path : path.substr(at + 5);
}

void pass_fail(std::istream& in, Rows& rows) {
  rows.push_back("create table if not exists ut_results (...);");
  static const std::regex p(
      "[[:space:]]+Test[[:punct:]]+[[:space:]]+([A-Za-z0-9_]+).*\\(?\\)?[[:space:]]+[[:punct:]]+"
      "(passed|PASSED|failed|FAILED)");
  line_rows(in, p, rows, [](const std::smatch& m) {
    return "insert into ut_results (platform, project, tool, githash, date, time, type, name, "
           "result) values (" + kRun + ", " + q("Unit") + ", " + q(m[1]) + ", " + q(m[2]) + ");";
  });
}

void gcov(std::istream& in, Rows& rows) {
  rows.push_back("create table if not exists ut_coverage (...);");
  static const std::regex p(
      "\\<tr\\>\\<td\\>Lines[[:punct:]]+\\<\\/td\\>\\<td\\>([0-9]+)\\<\\/td\\>\\<td\\>([0-9]+)"
      "\\<\\/td\\>\\<td\\>([0-9]+).*\\<\\/td\\>\\<\\/tr\\>");
  line_rows(in, p, rows, [](const std::smatch& m) {
    return kCoveragePrefix + kRun + ", " + q(m[3]) + ", " + q(m[1]) + ", " + q(m[2]) +
           ", \"\", \"\", \"\", \"\");";
  });
}

void ctc(std::istream& in, Rows& rows) {
  rows.push_back("create table if not exists ut_coverage (...);");
  static const std::regex function(
      "\\*\\*\\*TER[[:space:]]+([0-9]+)[[:space:]]+[[:punct:]]+[[:space:]]+\\([[:space:]]*([0-9]+)"
      "\\/[[:space:]]*([0-9]+)\\).*FUNCTION[[:space:]]+(.*)\\(\\)[[:space:]]+([0-9]+)[[:space:]]+"
      "[[:punct:]]+[[:space:]]+\\([[:space:]]*([0-9]+)\\/[[:space:]]*([0-9]+)\\).*");
  static const std::regex module(
      "TER[[:space:]]+[[:punct:]][[:space:]]+([0-9]+)[[:space:]]+[[:punct:]][[:space:]]+\\(([0-9]+)"
      "\\/([0-9]+)\\)[[:space:]]+decision[[:space:]]*TER[[:space:]]+[[:punct:]][[:space:]]+"
      "([0-9]+)[[:space:]]+[[:punct:]][[:space:]]+\\(([0-9]+)\\/([0-9]+)\\)[[:space:]]+statement");
  std::smatch m;
  for (std::string line, second; next_line(in, line);) {
    const bool is_function = line.rfind("***TER", 0) == 0;
    if (!is_function && line.rfind("TER", 0) != 0) continue;
    if (!next_line(in, second)) break;
    const std::string text = is_function ? line + second : line + " " + second;
    if (std::regex_match(text, m, function)) {
      rows.push_back(kCoveragePrefix + kRun + ", " + q(m[5]) + ", " + q(m[6]) + ", " + q(m[7]) +
                     ", " + q(m[1]) + ", " + q(m[2]) + ", " + q(m[3]) + ", " + q(m[4]) + ");");
    } else if (std::regex_match(text, m, module)) {
      rows.push_back(kCoveragePrefix + kRun + ", " + q(m[4]) + ", " + q(m[5]) + ", " + q(m[6]) +
                     ", " + q(m[1]) + ", " + q(m[2]) + ", " + q(m[3]) + ", \"*module_statistics\");");
    }
  }
}

void map(std::istream& in, Rows& rows, bool keil) {
  rows.push_back("create table if not exists compiler_map (...);");
  static const std::regex plain(
      "([0-9a-f]{8})\\+([0-9a-f]{6})[[:space:]]+([\\.a-zA-Z_0-9]* -> [\\.a-zA-Z_0-9]*?|"
      "[\\.a-zA-Z_0-9]*)[[:space:]]+(.*)");
  static const std::regex keil_pattern(
      "^\\s+(.*)\\s+0x([0-9a-f]{8})\\s+([a-zA-Z\\s]+)\\s+([0-9]+)\\s+([.a-zA-Z_0-9]+)\\((.*?)\\)(.*)");
  auto row = keil ? [](const std::smatch& m) {
    const unsigned long size = std::stoul(m[4]);
    char hex[32];
    std::snprintf(hex, sizeof hex, "%lx", size);
    return kMapPrefix + kRunNoTool + ", " + q(m[2]) + ", " +
           q(std::to_string(std::stoul(m[2], nullptr, 16))) + ", " + q(hex) + ", " +
           q(std::to_string(size)) + ", " + q(m[6]) + ", " + q(m[5]) + ");";
  } : [](const std::smatch& m) {
    return kMapPrefix + kRunNoTool + ", " + q(m[1]) + ", " +
           q(std::to_string(std::stoul(m[1], nullptr, 16))) + ", " + q(m[2]) + ", " +
           q(std::to_string(std::stoul(m[2], nullptr, 16))) + ", " + q(m[3]) + ", " + q(m[4]) + ");";
  };
  line_rows(in, keil ? keil_pattern : plain, rows, row);
}

void warning(std::istream& in, Rows& rows) {
  rows.push_back("create table if not exists compiler_results (...);");
  static const std::regex p(
      "\"(.*)\",[[:space:]]+line[[:space:]]+([0-9]+):[[:space:]]+(error|warning)[[:space:]]+(.*):"
      "[[:space:]]*");
  line_rows(in, p, rows, [](const std::smatch& m) {
    const std::string id = m[4];
    const std::string number = id.size() >= 3 ? id.substr(1, id.size() - 3) : id.substr(1);
    return kResultsPrefix + kRunNoTool + ", " + q(strip_src(m[1])) + ", " + q(m[2]) + ", " +
           q(m[3]) + ", " + q(id) + ", " + q(number) + ");";
  });
}

void warning_keil(std::istream& in, Rows& rows) {
  rows.push_back("create table if not exists compiler_results (...);");
  static const std::regex p(
      "(.*):([0-9]+):[0-9]+:[[:space:]]+(error|warning):[[:space:]]+(.*)");
  line_rows(in, p, rows, [](const std::smatch& m) {
    return kResultsPrefix + kRunNoTool + ", " + q(strip_src(m[1])) + ", " + q(m[2]) + ", " +
           q(m[3]) + ", " + q(m[4]) + ", 0);";
  });
}

void warning_tricore(std::istream& in, Rows& rows) {
  rows.push_back("create table if not exists compiler_results (...);");
  static const std::regex p(
      "ctc[[:space:]]W([0-9]+):[[:space:]]+\\[\"(.*)\"[[:space:]]+([0-9]+)/[0-9]+\\][[:space:]]+(.*)");
  line_rows(in, p, rows, [](const std::smatch& m) {
    std::string path = m[2], message = m[4];
    std::replace(path.begin(), path.end(), '\\', '/');
    std::replace(message.begin(), message.end(), '"', '\'');
    return kResultsPrefix + kRunNoTool + ", " + q(strip_src(path)) + ", " + q(m[3]) +
           ", \"Warning\", " + q(message) + ", " + q(m[1]) + ");";
  });
}

void qac(std::istream& in, Rows& rows) {
  static const std::regex p(
      "(.*\\.[cpp|c])[[:space:]]+\\(([0-9]+)\\)[[:space:]]+[[:punct:]]{1}[[:space:]]+"
      "(warning|error)[[:space:]]+[[:punct:]]{1}[[:space:]]+QAC\\(Prio([0-9]{1})\\)[[:space:]]+"
      "Msg[[:punct:]]{1}[[:space:]]+([0-9]+)\\((.*)\\.\\)(.*)[[:space:]]+(Ref)[[:punct:]]{1}(.*)");
  struct Finding { std::string file; int line, priority, number; std::string text; };
  std::vector<Finding> findings;
  std::smatch m;
  for (std::string line; next_line(in, line);) {
    if (!std::regex_match(line, m, p)) continue;
    const std::string path = m[1];
    const auto at = path.find("Src_QZ\\");
    if (at == std::string::npos) continue;
    findings.push_back({path.substr(at), std::stoi(m[2]), std::stoi(m[4]), std::stoi(m[5]), m[6]});
  }
  std::sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.file, a.line, a.number, a.text) < std::tie(b.file, b.line, b.number, b.text);
  });
  std::map<std::string, std::vector<int>> counts;
  for (const Finding& f : findings) {
    auto& c = counts[f.file];
    c.resize(11);
    ++c[f.number >= 5300 && f.number <= 5399 ? 10 : f.priority];
  }
  rows.push_back("create table if not exists q_results (...);");
  for (const auto& [file, c] : counts) {
    std::string row = "insert into q_results (...) values (" + kRun + ", " + q("Hmt4\\" + file);
    for (int n : c) row += ", " + q(std::to_string(n));
    rows.push_back(row + ");");
  }
}

void clang_tidy(std::istream& in, Rows& rows) {
  static const std::regex start(
      ".*\\:([0-9]+)\\:([0-9]+)\\:[[:space:]]+(error|note|warning)\\:[[:space:]]+.*");
  static const std::regex message(
      "(.*\\.(cpp|c|h))\\:([0-9]+)\\:([0-9]+)\\:[[:space:]]+(error|note|warning)\\:[[:space:]]+"
      "(.*)\\[(.*)\\](.*)");
  std::vector<std::string> texts;
  for (std::string line; next_line(in, line);) {
    if (texts.empty() || std::regex_match(line, start)) {
      texts.push_back(line);
    } else {
      texts.back() += " " + line;
    }
  }
  std::smatch m;
  for (const std::string& text : texts) {
    if (std::regex_match(text, m, message)) {
      rows.push_back("<tr><td>" + std::string(m[1]) + "</td><td>" + std::string(m[3]) +
                     "</td><td>" + std::string(m[7]) + "</td><td>" + text + "</td></tr>");
    }
  }
  std::sort(rows.begin(), rows.end());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::cerr << "usage: qz_bench_baseline PARSER_TYPE INPUT OUTPUT\n";
    return 2;
  }
  const std::string type = argv[1];
  std::ifstream in(argv[2]);
  Rows rows;
  if (type == "PassFail") pass_fail(in, rows);
  else if (type == "GCOV_Coverage") gcov(in, rows);
  else if (type == "CTC_Coverage") ctc(in, rows);
  else if (type == "Map") map(in, rows, false);
  else if (type == "Map_KEIL") map(in, rows, true);
  else if (type == "Warning") warning(in, rows);
  else if (type == "Warning_KEIL") warning_keil(in, rows);
  else if (type == "Warning_Tricore") warning_tricore(in, rows);
  else if (type == "QAC" || type == "QAC_full_report") qac(in, rows);
  else if (type == "ClangTidy") clang_tidy(in, rows);
  else return 2;
  std::ofstream out(argv[3]);
  for (const std::string& row : rows) out << row << '\n';
  if (type != "ClangTidy") {
    for (const std::string& row : rows) std::cout << row << '\n';
  }
  return 0;
}
