// Every line classifier and text helper on one arbitrary line, with cheap
// checks of what each promises: captured texts lie in the line, numbers are
// read as written, a rejected line leaves its record alone. No regular
// expression is run but the program's own, so that the time stays linear.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "core/char_class.h"
#include "core/pattern.h"
#include "core/util.h"
#include "formats/clang_tidy.h"
#include "formats/clang_tidy_lines.h"
#include "formats/coverage.h"
#include "formats/map.h"
#include "formats/pass_fail.h"
#include "formats/qac.h"
#include "formats/warnings.h"
#include "support/tidy_patterns.h"

namespace {

using std::string_view;

void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz_classify: violated: %s\n", what);
  std::abort();
}

bool contains(string_view text, string_view part) { return text.find(part) != string_view::npos; }

bool all_of(string_view text, bool (*in_class)(char)) {
  return std::all_of(text.begin(), text.end(), in_class);
}
using qz::is_digit;
bool is_lower_hex(char c) { return is_digit(c) || (c >= 'a' && c <= 'f'); }
bool is_word(char c) {
  return is_digit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}
bool is_object_char(char c) { return is_word(c) || c == '.'; }

bool is_number(string_view text) { return !text.empty() && all_of(text, is_digit); }

bool is_one_of(string_view text, std::initializer_list<string_view> choices) {
  return std::find(choices.begin(), choices.end(), text) != choices.end();
}

constexpr string_view kUntouched = "\x01untouched";

void check_test_line(string_view line) {
  qz::TestResultRecord record{std::string(kUntouched), std::string(kUntouched)};
  if (!qz::classify_test_line(line, record)) {
    require(record.name == kUntouched && record.result == kUntouched, "test line: record kept");
    return;
  }
  require(is_one_of(record.result, {"passed", "PASSED", "failed", "FAILED"}), "test line: result");
  require(line.ends_with(record.result), "test line: result ends the line");
  require(!record.name.empty() && all_of(record.name, is_word), "test line: name");
  require(contains(line, record.name), "test line: name in line");
}

qz::CoverageRecord untouched_coverage() {
  const std::string u(kUntouched);
  return {u, u, u, u, u, u, u};
}

bool same_coverage(const qz::CoverageRecord& a, const qz::CoverageRecord& b) {
  return a.function_name == b.function_name && a.C0_percent == b.C0_percent &&
         a.C0_tested_lines == b.C0_tested_lines && a.C0_testable_lines == b.C0_testable_lines &&
         a.C1_percent == b.C1_percent && a.C1_tested_lines == b.C1_tested_lines &&
         a.C1_testable_lines == b.C1_testable_lines;
}

void check_gcov_line(string_view line) {
  qz::CoverageRecord record = untouched_coverage();
  if (!qz::classify_gcov_line(line, record)) {
    require(same_coverage(record, untouched_coverage()), "gcov: record kept");
    return;
  }
  require(line.starts_with("<tr><td>Lines") && line.ends_with("</td></tr>"), "gcov: row shape");
  for (const std::string& figure :
       {record.C0_percent, record.C0_tested_lines, record.C0_testable_lines}) {
    require(is_number(figure) && contains(line, figure), "gcov: figure");
  }
  require(record.C1_percent == kUntouched, "gcov: C1 kept");
}

void check_ctc_text(string_view text) {
  qz::CoverageRecord record = untouched_coverage();
  if (!qz::classify_ctc_text(text, record)) {
    require(same_coverage(record, untouched_coverage()), "ctc: record kept");
    return;
  }
  for (const std::string& figure :
       {record.C0_percent, record.C0_tested_lines, record.C0_testable_lines, record.C1_percent,
        record.C1_tested_lines, record.C1_testable_lines}) {
    require(is_number(figure) && contains(text, figure), "ctc: figure");
  }
  if (text.starts_with("***TER")) {
    require(contains(text, record.function_name), "ctc: function name in text");
  } else {
    require(text.starts_with("TER") && record.function_name == qz::kModuleStatisticsName,
            "ctc: module summary");
  }
}

void check_map_line(string_view line) {
  qz::MapRecord record;
  record.section = kUntouched;
  if (!qz::classify_map_line(line, record)) {
    require(record.section == kUntouched, "map: record kept");
    return;
  }
  require(record.originhex.size() == 8 && all_of(record.originhex, is_lower_hex), "map: origin");
  require(record.sizehex.size() == 6 && all_of(record.sizehex, is_lower_hex), "map: size");
  require(line.starts_with(record.originhex + "+" + record.sizehex), "map: line start");
  require(record.origindec == std::strtoul(record.originhex.c_str(), nullptr, 16),
          "map: origin value");
  require(record.sizedec == std::strtoul(record.sizehex.c_str(), nullptr, 16), "map: size value");
  require(contains(line, record.section) && contains(line, record.filename), "map: texts in line");
  require(line.ends_with(record.filename), "map: module ends the line");
}

void check_keil_map_line(string_view line) {
  qz::MapRecord record;
  record.section = kUntouched;
  if (!qz::classify_keil_map_line(line, record)) {
    require(record.section == kUntouched, "keil map: record kept");
    return;
  }
  require(record.originhex.size() == 8 && all_of(record.originhex, is_lower_hex),
          "keil map: origin");
  require(contains(line, "0x" + record.originhex), "keil map: origin in line");
  require(record.origindec == std::strtoul(record.originhex.c_str(), nullptr, 16),
          "keil map: origin value");
  require(record.sizehex == qz::hex_text(record.sizedec), "keil map: size text");
  require(!record.filename.empty() && all_of(record.filename, is_object_char), "keil map: object");
  require(contains(line, record.filename + "(" + record.section + ")"), "keil map: section");
}

void check_warning_record(string_view line, const qz::WarningRecord& record, const char* what) {
  require(contains(line, record.filename) && contains(line, record.error_id), what);
  require(is_number(record.line) && contains(line, record.line), what);
  require(is_one_of(record.type, {"error", "warning"}), what);
}

void check_warning_lines(string_view line) {
  qz::WarningRecord record;
  if (qz::classify_warning_line(line, record)) {
    check_warning_record(line, record, "warning: record");
    require(line.starts_with('"'), "warning: quoted file first");
    const string_view number = qz::warning_error_number(record.error_id);
    require(contains(record.error_id, number), "warning: error number inside the id");
  }
  if (qz::classify_keil_line(line, record)) {
    check_warning_record(line, record, "keil warning: record");
    require(line.ends_with(record.error_id), "keil warning: message ends the line");
  }
}

void check_tricore_line(string_view line) {
  qz::TricoreWarningRecord record;
  if (!qz::classify_tricore_line(line, record)) return;
  require(line.starts_with("ctc W" + record.warning_number), "tricore: number");
  require(is_number(record.warning_number) && is_number(record.line), "tricore: digits");
  require(record.type == "Warning", "tricore: type");
  require(!contains(record.filename, "\\"), "tricore: forward slashes");
  require(contains(qz::replace_all(line, "\\", "/"), record.filename), "tricore: file in line");
  require(!contains(record.message, "\""), "tricore: no double quote in message");
  require(contains(qz::replace_all(line, "\"", "'"), record.message), "tricore: message in line");
}

void check_qac_line(string_view line) {
  qz::QacRecord record;
  if (!qz::classify_qac_line(line, record)) return;
  require(record.file_name.starts_with(qz::kSourceRoot), "qac: source root");
  require(contains(line, record.file_name) && contains(line, record.message_text), "qac: texts");
  require(record.priority >= 0 && record.priority <= 9, "qac: priority");
  require(contains(line, "QAC(Prio" + std::to_string(record.priority) + ")"), "qac: priority text");
  require(record.line_number >= 0 && record.message_number >= 0, "qac: numbers");
}

// The scan decides in place of the pattern: it must accept exactly the texts
// the pattern matches and find exactly the groups the pattern captures.
void check_tidy_message(string_view text) {
  qz::TidyMessage message;
  message.text = kUntouched;
  const bool parsed = qz::parse_tidy_message(text, message);
  std::array<string_view, 8> expected;
  const bool matched = qz::test::tidy_message_pattern().match(text, expected);
  require(parsed == matched, "tidy: parsed exactly when the pattern matches");
  if (!parsed) {
    require(message.text == kUntouched, "tidy: message kept");
    return;
  }
  qz::TidyMessageGroups groups;
  require(qz::split_tidy_message(text, groups), "tidy: split");
  for (std::size_t i = 0; i < groups.size(); ++i) {
    require(groups[i].data() == expected[i].data() && groups[i].size() == expected[i].size(),
            "tidy: group as the pattern captures it");
  }
  require(message.text == text && message.check() == groups[6] && message.file() == groups[0],
          "tidy: texts");
  require(message.line >= 0 && message.column >= 0, "tidy: position");
  require(message.part(message.summary_parts[0]) == groups[4] &&
              message.part(message.summary_parts[3]) == groups[7],
          "tidy: summary from the severity to the trailer");
}

// Deciding a match and extracting its groups take different paths through
// the engines (RE2's DFA, PCRE2's JIT for short lines, RE2's captures): they
// must agree on every line, group for group. A line that matches holds one
// of the pattern's needed texts, or the line reader would pass over it.
void check_patterns(string_view line) {
  for (const qz::Pattern* pattern :
       {&qz::test_line_pattern(), &qz::gcov_line_pattern(), &qz::ctc_function_pattern(),
        &qz::ctc_module_pattern(), &qz::map_line_pattern(), &qz::keil_map_line_pattern(),
        &qz::warning_line_pattern(), &qz::keil_warning_line_pattern(), &qz::tricore_line_pattern(),
        &qz::qac_line_pattern(), &qz::test::tidy_message_pattern(),
        &qz::test::tidy_start_pattern()}) {
    const auto count = static_cast<std::size_t>(pattern->group_count());
    std::vector<string_view> fast(count);
    std::vector<string_view> reference(count);
    const bool matched = pattern->match(line, fast);
    require(pattern->matches(line) == matched, "pattern: match agrees");
    require(pattern->match_by_re2(line, reference) == matched, "pattern: engines agree");
    if (!matched) continue;
    const auto needed = pattern->needed_texts();
    require(needed.empty() ||
                std::any_of(needed.begin(), needed.end(),
                            [&](const std::string& text) { return contains(line, text); }),
            "pattern: a needed text in every matching line");
    for (std::size_t i = 0; i < count; ++i) {
      require(fast[i].data() == reference[i].data() && fast[i].size() == reference[i].size(),
              "pattern: groups agree");
    }
  }
}

std::vector<string_view> split_lines(string_view text) {
  std::vector<string_view> lines;
  for (std::size_t from = 0;;) {
    const std::size_t end = text.find('\n', from);
    lines.push_back(text.substr(from, end - from));
    if (end == string_view::npos) return lines;
    from = end + 1;
  }
}

// Joining cuts the lines into messages without losing or adding a byte:
// the messages joined by blanks are the lines joined by blanks.
void check_tidy_joining(string_view text) {
  const bool starts = qz::starts_tidy_message(text);
  require(starts == qz::test::tidy_start_pattern().matches(text), "tidy start: quick test agrees");

  std::vector<std::string> lines;
  for (const string_view line : split_lines(text)) lines.emplace_back(line);
  std::vector<std::string> messages;
  qz::MessageJoiner joiner;
  std::string finished;
  for (const std::string& line : lines) {
    if (joiner.add_line(line, finished)) messages.push_back(finished);
  }
  if (joiner.finish(finished)) messages.push_back(finished);

  // The rule, written out plainly: a run line ends the message before it,
  // and it and the lines after it up to the next start line belong to none;
  // the first other line, and every start line, opens a message; any other
  // line is appended after one blank.
  std::vector<std::string> expected;
  bool in_message = false;
  bool in_run_text = false;
  for (const std::string& line : lines) {
    if (qz::is_run_line(line)) {
      in_message = false;
      in_run_text = true;
    } else if (qz::starts_tidy_message(line) || (!in_message && !in_run_text)) {
      expected.push_back(line);
      in_message = true;
      in_run_text = false;
    } else if (in_message) {
      expected.back().append(" ").append(line);
    }
  }
  require(messages == expected, "tidy join: messages as the rule gives them");
}

void check_paths(string_view text) {
  const string_view stripped = qz::strip_source_root(text);
  require(text.ends_with(stripped), "strip_source_root: a tail");
  const std::size_t root = text.find("/Src/");
  require(root == string_view::npos ? stripped.size() == text.size()
                                    : stripped == text.substr(root + 5),
          "strip_source_root: behind the first root");

  const string_view relative = qz::source_relative_name(text);
  require(text.ends_with(relative), "source_relative_name: a tail");
  require(relative.empty() || relative.starts_with(qz::kSourceRoot),
          "source_relative_name: begins at the root");
  require(relative.empty() == !contains(text, qz::kSourceRoot), "source_relative_name: found");

  const string_view base = qz::base_name(text);
  require(text.ends_with(base) && base.find_first_of("/\\") == string_view::npos, "base_name");
}

void check_replace_all(string_view text) {
  const std::string slashes = qz::replace_all(text, "\\", "/");
  require(slashes.size() == text.size() && !contains(slashes, "\\"), "replace_all: one byte");
  require(qz::replace_all(text, "", "x") == text, "replace_all: empty search");
  for (std::size_t n = 1; n <= 3 && n <= text.size(); ++n) {
    const string_view search = text.substr(0, n);
    require(qz::replace_all(text, search, search) == text, "replace_all: identity");
    const std::string removed = qz::replace_all(text, search, "");
    require(removed.size() < text.size() && (text.size() - removed.size()) % n == 0,
            "replace_all: removal");
  }
}

// The value of a run of digits as a 64-bit reader sees it, clamped.
std::uint64_t reference_value(string_view digits, int base) {
  const std::size_t significant = std::min(digits.find_first_not_of('0'), digits.size());
  const string_view rest = digits.substr(significant);
  if (rest.size() > 12) return std::numeric_limits<std::uint64_t>::max();
  return rest.empty() ? 0 : std::strtoull(std::string(rest).c_str(), nullptr, base);
}

void check_numbers(string_view text) {
  constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
  const std::size_t hex_end =
      std::min(text.find_first_not_of("0123456789abcdefABCDEF"), text.size());
  const std::uint32_t hex = qz::parse_hex_uint32(text);
  require(hex == std::min(reference_value(text.substr(0, hex_end), 16), kMax32),
          "parse_hex_uint32");
  require(qz::parse_hex_uint32(qz::hex_text(hex)) == hex, "hex_text round trip");
  const std::size_t dec_end = std::min(text.find_first_not_of("0123456789"), text.size());
  const std::uint64_t dec = reference_value(text.substr(0, dec_end), 10);
  require(qz::parse_decimal_uint32(text) == std::min(dec, kMax32), "parse_decimal_uint32");
  constexpr std::uint64_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();
  require(static_cast<std::uint64_t>(qz::parse_decimal_int32(text.substr(0, dec_end))) ==
              std::min(dec, kMaxInt32),
          "parse_decimal_int32");
}

void check_html_escape(string_view text) {
  std::string out = "&lt;";
  qz::append_html_escaped(out, text);
  require(out.starts_with("&lt;"), "html: appends");
  require(out.find_first_of("<>") == string_view::npos, "html: no markup");
  std::string back;
  for (std::size_t at = 4; at < out.size(); ++at) {
    if (out[at] != '&') {
      back += out[at];
      continue;
    }
    const string_view rest = string_view(out).substr(at);
    const string_view reference = rest.starts_with("&amp;")  ? "&amp;"
                                  : rest.starts_with("&lt;") ? "&lt;"
                                  : rest.starts_with("&gt;") ? "&gt;"
                                                             : "";
    require(!reference.empty(), "html: every & starts a reference");
    back += reference == "&amp;" ? '&' : reference == "&lt;" ? '<' : '>';
    at += reference.size() - 1;
  }
  require(back == text, "html: reversible");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const string_view line(reinterpret_cast<const char*>(data), size);
  check_test_line(line);
  check_gcov_line(line);
  check_ctc_text(line);
  check_map_line(line);
  check_keil_map_line(line);
  check_warning_lines(line);
  check_tricore_line(line);
  check_qac_line(line);
  check_tidy_message(line);
  check_patterns(line);
  check_tidy_joining(line);
  check_paths(line);
  check_replace_all(line);
  check_numbers(line);
  check_html_escape(line);
  return 0;
}
