// Clang-tidy console output cut into diagnostics: lines are joined into
// messages, the messages that parse are sorted and de-duplicated, and the
// page (clang_tidy_page.cpp) shows them per source file.
#include <algorithm>
#include <utility>

#include "core/util.h"
#include "formats/formats.h"

namespace qz {

const Pattern& tidy_start_pattern() {
  static const Pattern pattern(
      R"(.*\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+.*)");
  return pattern;
}

namespace {

// The character classes of the patterns: "." is anything but a line break,
// [[:space:]] the six classic white-space characters.
bool is_space(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_line_break(char c) { return c == '\n' || c == '\r'; }
bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Every start line holds its severity followed by a colon. Looking for that
// first spares the pattern most source and marker lines.
bool names_a_severity(std::string_view line) {
  return line.find("warning:") != std::string_view::npos ||
         line.find("error:") != std::string_view::npos ||
         line.find("note:") != std::string_view::npos;
}

// Each consume_ takes its piece off the front of `rest` and says whether it
// was there.
bool consume(std::string_view& rest, std::string_view piece) {
  if (!rest.starts_with(piece)) return false;
  rest.remove_prefix(piece.size());
  return true;
}

bool consume_number(std::string_view& rest) {
  std::size_t digits = 0;
  while (digits < rest.size() && is_digit(rest[digits])) ++digits;
  rest.remove_prefix(digits);
  return digits > 0;
}

// " warning" or " warnings" (any noun, with or without the plural s).
bool consume_noun(std::string_view& rest, std::string_view noun) {
  if (!consume(rest, noun)) return false;
  consume(rest, "s");
  return true;
}

// "N warnings generated.", "N errors generated." or "N warnings and N errors
// generated.", each noun also in the singular.
bool is_generated_line(std::string_view rest) {
  if (!consume_number(rest)) return false;
  if (consume_noun(rest, " warning")) {
    if (rest == " generated.") return true;
    if (!consume(rest, " and ") || !consume_number(rest)) return false;
  }
  return consume_noun(rest, " error") && rest == " generated.";
}

// "Suppressed N warnings (...)."
bool is_suppressed_line(std::string_view rest) {
  return consume(rest, "Suppressed ") && consume_number(rest) && consume_noun(rest, " warning") &&
         consume(rest, " (") && rest.ends_with(").");
}

// "[i/n] Processing file ...", as the parallel runner announces each file.
bool is_processing_line(std::string_view rest) {
  return consume(rest, "[") && consume_number(rest) && consume(rest, "/") &&
         consume_number(rest) && consume(rest, "] Processing file ");
}

// A command line whose first word, after any directory, is clang-tidy,
// clang-tidy-N or clang-tidy.exe. The end of the word decides which of the
// three it can be, so only the word's end is looked at.
bool is_tidy_command(std::string_view line) {
  const std::string_view word = line.substr(
      0, static_cast<std::size_t>(std::find_if(line.begin(), line.end(), is_blank) - line.begin()));
  std::size_t name_size = 0;
  if (word.ends_with("clang-tidy")) {
    name_size = std::string_view("clang-tidy").size();
  } else if (word.ends_with("clang-tidy.exe")) {
    name_size = std::string_view("clang-tidy.exe").size();
  } else {
    std::size_t digits = 0;
    while (digits < word.size() && is_digit(word[word.size() - 1 - digits])) ++digits;
    if (digits == 0 || !word.substr(0, word.size() - digits).ends_with("clang-tidy-")) return false;
    name_size = std::string_view("clang-tidy-").size() + digits;
  }
  const std::size_t name_start = word.size() - name_size;
  return name_start == 0 || word[name_start - 1] == '/' || word[name_start - 1] == '\\';
}

}  // namespace

bool starts_tidy_message(std::string_view line) {
  return names_a_severity(line) && tidy_start_pattern().matches(line);
}

bool is_run_line(std::string_view line) {
  // Source and marker lines mostly begin with a blank: they end here.
  if (line.empty() || is_blank(line.front())) return false;
  switch (line.front()) {
    case '[':
      if (is_processing_line(line)) return true;
      break;
    case 'S':
      if (is_suppressed_line(line)) return true;
      break;
    case 'U':
      if (line.starts_with("Use -header-filter=")) return true;
      break;
    case 'E':
      if (line.starts_with("Error while processing ")) return true;
      break;
    case 'F':
      if (line.starts_with("Found compiler error") || line == "Fixes have NOT been applied.") {
        return true;
      }
      break;
    default:
      if (is_generated_line(line)) return true;
      break;
  }
  return is_tidy_command(line);
}

// A run line is looked at first: whatever else it might look like, it is
// about the run, so neither it nor the lines after it can make a message.
bool MessageJoiner::add_line(std::string_view line, std::string& finished) {
  if (is_run_line(line)) {
    const bool finished_one = hand_out(finished);
    text_.clear();
    has_text_ = false;
    too_long_ = false;
    in_run_text_ = true;
    return finished_one;
  }
  if ((has_text_ || in_run_text_) && !starts_tidy_message(line)) {
    if (in_run_text_) return false;
    if (text_.size() + 1 + line.size() > max_size_) {
      too_long_ = true;
      text_.clear();
    }
    if (!too_long_) text_.append(" ").append(line);
    return false;
  }
  const bool finished_one = hand_out(finished);
  text_.assign(line);
  has_text_ = true;
  in_run_text_ = false;
  too_long_ = line.size() > max_size_;
  return finished_one;
}

bool MessageJoiner::finish(std::string& finished) {
  const bool finished_one = hand_out(finished);
  text_.clear();
  has_text_ = false;
  in_run_text_ = false;
  return finished_one;
}

// Swapping keeps both buffers' capacity, so long inputs do not allocate per
// message.
bool MessageJoiner::hand_out(std::string& finished) {
  if (!has_text_) return false;
  if (too_long_) {
    ++dropped_;
    return false;
  }
  std::swap(finished, text_);
  return true;
}

const Pattern& tidy_message_pattern() {
  static const Pattern pattern(
      R"((.*\.(cpp|c|h))\:([0-9]+)\:([0-9]+)\:[[:space:]]+(error|note|warning)\:[[:space:]]+(.*)\[(.*)\](.*))");
  return pattern;
}

namespace {
constexpr std::size_t kNone = std::string_view::npos;

// (string_view::find_first_of would call memchr once per character.)
std::size_t first_line_break(std::string_view text) {
  return static_cast<std::size_t>(std::find_if(text.begin(), text.end(), is_line_break) -
                                  text.begin());
}

std::size_t last_line_break(std::string_view text) {
  const auto found = std::find_if(text.rbegin(), text.rend(), is_line_break);
  return found == text.rend() ? kNone : static_cast<std::size_t>(text.rend() - found - 1);
}

bool skip_literal(std::string_view text, std::size_t& at, std::string_view literal) {
  if (!text.substr(at).starts_with(literal)) return false;
  at += literal.size();
  return true;
}

// The longest run of class members from `at` on; a shorter run never helps
// here, since the pattern wants a character outside the class next.
std::string_view take_run(std::string_view text, std::size_t& at, bool (*in_class)(char)) {
  const std::size_t from = at;
  while (at < text.size() && in_class(text[at])) ++at;
  return text.substr(from, at - from);
}

// What the end of the pattern, "(.*)\[(.*)\](.*)", depends on: "(.*)\["
// runs to the last "[" that a "]" follows, "(.*)\]" to the last "]", and
// none of it may hold a line break.
struct Landmarks {
  std::size_t open = kNone;
  std::size_t close = kNone;
  std::size_t last_break = kNone;
};

Landmarks find_landmarks(std::string_view text) {
  Landmarks found;
  found.close = text.rfind(']');
  if (found.close != kNone && found.close > 0) found.open = text.rfind('[', found.close - 1);
  found.last_break = last_line_break(text);
  return found;
}

// Matches the pattern behind the extension, ":line:column: severity: ...",
// from `at` on, and fills groups 3 to 8.
bool match_tail(std::string_view text, std::size_t at, const Landmarks& landmarks,
                TidyMessageGroups& groups) {
  if (!skip_literal(text, at, ":")) return false;
  groups[2] = take_run(text, at, is_digit);
  if (groups[2].empty() || !skip_literal(text, at, ":")) return false;
  groups[3] = take_run(text, at, is_digit);
  if (groups[3].empty() || !skip_literal(text, at, ":")) return false;
  if (take_run(text, at, is_space).empty()) return false;
  const std::size_t severity_from = at;
  if (!skip_literal(text, at, "error") && !skip_literal(text, at, "note") &&
      !skip_literal(text, at, "warning")) {
    return false;
  }
  groups[4] = text.substr(severity_from, at - severity_from);
  if (!skip_literal(text, at, ":") || take_run(text, at, is_space).empty()) return false;
  if (landmarks.open == kNone || landmarks.open < at) return false;
  if (landmarks.last_break != kNone && landmarks.last_break >= at) return false;
  groups[5] = text.substr(at, landmarks.open - at);
  groups[6] = text.substr(landmarks.open + 1, landmarks.close - landmarks.open - 1);
  groups[7] = text.substr(landmarks.close + 1);
  return true;
}

}  // namespace

bool split_tidy_message(std::string_view text, TidyMessageGroups& groups) {
  const Landmarks landmarks = find_landmarks(text);
  // The path runs to the last dot behind which the rest matches, and holds no
  // line break. At one dot at most one extension can fit, as a colon follows it.
  std::size_t search_end = first_line_break(text);
  while (search_end > 0) {
    const std::size_t dot = text.rfind('.', search_end - 1);
    if (dot == kNone) break;
    for (const std::string_view extension : {"cpp", "c", "h"}) {
      const std::size_t path_end = dot + 1 + extension.size();
      if (text.substr(dot + 1).starts_with(extension) &&
          match_tail(text, path_end, landmarks, groups)) {
        groups[0] = text.substr(0, path_end);
        groups[1] = text.substr(dot + 1, extension.size());
        return true;
      }
    }
    search_end = dot;
  }
  return false;
}

bool parse_tidy_message(std::string_view text, TidyMessage& message) {
  enum Group { kFile, kExtension, kLine, kColumn, kSeverity, kMessage, kCheck, kTrailer };
  // The pattern decides; the scan only finds where its groups lie.
  TidyMessageGroups groups;
  if (!tidy_message_pattern().matches(text) || !split_tidy_message(text, groups)) return false;

  message.file.assign(groups[kFile]);
  message.line = parse_decimal_int32(groups[kLine]);
  message.column = parse_decimal_int32(groups[kColumn]);
  message.check.assign(groups[kCheck]);
  message.summary.clear();
  for (const Group part : {kSeverity, kMessage, kCheck, kTrailer}) {
    message.summary.append(groups[part]);
    message.summary += ' ';
  }
  message.text.assign(text);
  return true;
}

bool tidy_message_less(const TidyMessage& a, const TidyMessage& b) {
  if (a.file != b.file) return a.file < b.file;
  if (a.line != b.line) return a.line < b.line;
  if (a.check != b.check) return a.check < b.check;
  if (a.summary != b.summary) return a.summary < b.summary;
  // Column and text last, so that equal messages always end up side by side.
  if (a.column != b.column) return a.column < b.column;
  return a.text < b.text;
}

bool tidy_message_equal(const TidyMessage& a, const TidyMessage& b) {
  return a.file == b.file && a.line == b.line && a.column == b.column && a.check == b.check &&
         a.text == b.text;
}

namespace {

void keep_if_parsed(std::string_view text, std::vector<TidyMessage>& messages) {
  TidyMessage message;
  if (parse_tidy_message(text, message)) messages.push_back(std::move(message));
}

}  // namespace

bool collect_tidy_messages(LineReader& input, std::vector<TidyMessage>& messages) {
  MessageJoiner joiner(input.max_line());
  std::string finished;
  std::string_view line;
  bool any_line = false;
  while (input.next(line)) {
    any_line = true;
    if (joiner.add_line(line, finished)) keep_if_parsed(finished, messages);
  }
  if (joiner.finish(finished)) keep_if_parsed(finished, messages);
  input.count_skipped(joiner.dropped());
  if (!any_line) {
    print_line("QZClangTidyVisualizer: Report is empty, there are no messages");
    return false;
  }
  if (messages.empty()) {
    print_line(" QZClangTidyVisualizer: No clang-tidy messages were found");
    return false;
  }
  sort_and_deduplicate(messages, tidy_message_less, tidy_message_equal);
  return true;
}

void visualize_clang_tidy(const Run& run) {
  std::vector<TidyMessage> messages;
  if (!collect_tidy_messages(run.input, messages)) {
    print_line("QZClangTidyVisualizer: Getting clang-tidy analysis result was not successful");
    return;
  }
  write_report_page(group_messages_by_file(messages), run.output);
  // The success line stands only under a page that was written completely.
  run.output.finish();
  print_line("QZClangTidyVisualizer: Report has been built successfully");
}

}  // namespace qz
