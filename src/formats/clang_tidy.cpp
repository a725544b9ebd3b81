// Clang-tidy diagnostics: each joined message is parsed, the messages are
// sorted and de-duplicated, and the page (clang_tidy_page.cpp) shows them per
// source file.
#include "formats/clang_tidy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <tuple>
#include <utility>

#include "core/char_class.h"
#include "core/text_search.h"
#include "core/util.h"
#include "formats/clang_tidy_lines.h"
#include "formats/clang_tidy_page.h"

namespace qz {

using namespace std::literals;

namespace {
constexpr std::size_t kNone = std::string_view::npos;

bool skip_literal(std::string_view text, std::size_t& at, std::string_view literal) {
  if (text.size() - at < literal.size() || !text_stands_at(text.data() + at, literal)) return false;
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

Landmarks find_landmarks(std::string_view text, const LineBreaks& breaks) {
  Landmarks found;
  found.close = find_last_byte(text, ']', text.size());
  if (found.close != kNone) found.open = find_last_byte(text, '[', found.close);
  found.last_break = breaks.last;
  return found;
}

// Matches the pattern behind the extension, ":line:column: severity: ...",
// from `at` on, and fills groups 3 to 8.
bool match_tail(std::string_view text, std::size_t at, const Landmarks& landmarks,
                TidyMessageGroups& groups) {
  if (!skip_literal(text, at, ":"sv)) return false;
  groups[2] = take_run(text, at, is_digit);
  if (groups[2].empty() || !skip_literal(text, at, ":"sv)) return false;
  groups[3] = take_run(text, at, is_digit);
  if (groups[3].empty() || !skip_literal(text, at, ":"sv)) return false;
  if (take_run(text, at, is_space).empty()) return false;
  const std::size_t severity_from = at;
  if (!skip_literal(text, at, "error"sv) && !skip_literal(text, at, "note"sv) &&
      !skip_literal(text, at, "warning"sv)) {
    return false;
  }
  groups[4] = text.substr(severity_from, at - severity_from);
  if (!skip_literal(text, at, ":"sv) || take_run(text, at, is_space).empty()) return false;
  if (landmarks.open == kNone || landmarks.open < at) return false;
  if (landmarks.last_break != kNone && landmarks.last_break >= at) return false;
  groups[5] = text.substr(at, landmarks.open - at);
  groups[6] = text.substr(landmarks.open + 1, landmarks.close - landmarks.open - 1);
  groups[7] = text.substr(landmarks.close + 1);
  return true;
}

}  // namespace

bool split_tidy_message(std::string_view text, TidyMessageGroups& groups) {
  const LineBreaks breaks = line_breaks(text);
  const Landmarks landmarks = find_landmarks(text, breaks);
  if (landmarks.open == kNone) return false;
  // The path runs to the last dot behind which the rest matches, and holds no
  // line break; the rest needs the check's opening bracket after it. At one
  // dot at most one extension can fit, as a colon follows it.
  std::size_t search_end = std::min(breaks.first, landmarks.open);
  while (search_end > 0) {
    const std::size_t dot = find_last_byte(text, '.', search_end);
    if (dot == kNone) break;
    for (const std::string_view extension : {"cpp"sv, "c"sv, "h"sv}) {
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
  if (text.size() > std::numeric_limits<std::uint32_t>::max()) return false;
  // The scan decides in place of the pattern: it takes the same groups on
  // every text (the fuzz target checks it against the pattern), in one pass.
  TidyMessageGroups groups;
  if (!split_tidy_message(text, groups)) return false;

  auto place = [text](std::string_view group) {
    return TextPart{static_cast<std::uint32_t>(group.data() - text.data()),
                    static_cast<std::uint32_t>(group.size())};
  };
  message.text = text;
  message.line = parse_decimal_int32(groups[kLine]);
  message.column = parse_decimal_int32(groups[kColumn]);
  message.file_part = place(groups[kFile]);
  message.check_part = place(groups[kCheck]);
  message.summary_parts = {place(groups[kSeverity]), place(groups[kMessage]), place(groups[kCheck]),
                           place(groups[kTrailer])};
  return true;
}

namespace {

// Compares two summaries as the texts they stand for, bytes unsigned,
// without writing them out.
int compare_summaries(const TidyMessage& a, const TidyMessage& b) {
  // A reader of the parts with the blank behind each.
  struct Cursor {
    const TidyMessage& message;
    std::size_t part = 0;
    std::size_t at = 0;
    bool done() const { return part == 4; }
    unsigned char current() const {
      const std::string_view piece = message.part(message.summary_parts[part]);
      return at < piece.size() ? static_cast<unsigned char>(piece[at]) : ' ';
    }
    void advance() {
      if (at++ == message.summary_parts[part].size) {
        ++part;
        at = 0;
      }
    }
  };
  Cursor x{a};
  Cursor y{b};
  for (; !x.done() && !y.done(); x.advance(), y.advance()) {
    if (x.current() != y.current()) return x.current() < y.current() ? -1 : 1;
  }
  return x.done() == y.done() ? 0 : (x.done() ? -1 : 1);
}

}  // namespace

bool tidy_message_less(const TidyMessage& a, const TidyMessage& b) {
  if (const int file = a.file().compare(b.file()); file != 0) return file < 0;
  if (a.line != b.line) return a.line < b.line;
  if (const int check = a.check().compare(b.check()); check != 0) return check < 0;
  if (const int summary = compare_summaries(a, b); summary != 0) return summary < 0;
  // Column and text last, so that equal messages always end up side by side.
  if (a.column != b.column) return a.column < b.column;
  return a.text < b.text;
}

bool tidy_message_equal(const TidyMessage& a, const TidyMessage& b) {
  return a.line == b.line && a.column == b.column && a.file() == b.file() &&
         a.check() == b.check() && a.text == b.text;
}

namespace {

// Puts the message keys[i].index at place i, in place: messages are large
// in number, and a second list of them would cost as much memory again.
template <typename Key>
void apply_order(TidyMessageList& messages, const std::vector<Key>& keys) {
  constexpr std::uint32_t kPlaced = std::numeric_limits<std::uint32_t>::max();
  std::vector<std::uint32_t> source(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) source[i] = keys[i].index;
  for (std::size_t start = 0; start < source.size(); ++start) {
    if (source[start] == kPlaced) continue;
    const TidyMessage first = messages[start];
    std::size_t at = start;
    while (source[at] != start) {
      const std::size_t from = source[at];
      messages[at] = messages[from];
      source[at] = kPlaced;
      at = from;
    }
    messages[at] = first;
    source[at] = kPlaced;
  }
}

// Sorts by tidy_message_less, stably, and drops every message equal to the
// one kept before it. Many messages share a file and a check, and paths share
// long beginnings: the sort compares their ranks instead of the texts.
void sort_and_deduplicate(TidyMessageList& messages) {
  TextRanks ranks;
  for (const TidyMessage& message : messages) {
    ranks.add(message.file());
    ranks.add(message.check());
  }
  ranks.number();
  struct Key {
    std::uint32_t file;
    std::int32_t line;
    std::uint32_t check;
    std::uint32_t index;
  };
  std::vector<Key> keys;
  keys.reserve(messages.size());
  for (std::size_t i = 0; i < messages.size(); ++i) {
    keys.push_back({ranks[messages[i].file()], messages[i].line, ranks[messages[i].check()],
                    static_cast<std::uint32_t>(i)});
  }
  std::sort(keys.begin(), keys.end(), [&messages](const Key& a, const Key& b) {
    if (std::tie(a.file, a.line, a.check) != std::tie(b.file, b.line, b.check)) {
      return std::tie(a.file, a.line, a.check) < std::tie(b.file, b.line, b.check);
    }
    const TidyMessage& x = messages[a.index];
    const TidyMessage& y = messages[b.index];
    if (tidy_message_less(x, y)) return true;
    if (tidy_message_less(y, x)) return false;
    return a.index < b.index;  // equal messages keep their input order
  });
  apply_order(messages, keys);
  messages.erase(std::unique(messages.begin(), messages.end(), tidy_message_equal), messages.end());
}

constexpr std::size_t kTextBlock = std::size_t{16} << 20;

// A copy of `text` that lives as long as the collection.
std::string_view keep_text(TidyMessages& collected, std::string_view text) {
  if (collected.block_used + text.size() > collected.block_size) {
    collected.block_size = std::max(kTextBlock, text.size());
    collected.text_blocks.push_back(allocate_large_bytes(collected.block_size));
    collected.block_used = 0;
  }
  char* const kept = collected.text_blocks.back().get() + collected.block_used;
  std::memcpy(kept, text.data(), text.size());
  collected.block_used += text.size();
  return {kept, text.size()};
}

void keep_if_parsed(std::string_view text, TidyMessages& collected) {
  TidyMessage message;
  if (!parse_tidy_message(text, message)) return;
  message.text = keep_text(collected, text);
  collected.messages.push_back(message);
}

}  // namespace

bool collect_tidy_messages(LineReader& input, TidyMessages& collected) {
  TidyMessageList& messages = collected.messages;
  MessageJoiner joiner(input.max_line());
  std::string finished;
  std::string_view line;
  bool any_line = false;
  while (input.next(line)) {
    any_line = true;
    if (joiner.add_line(line, finished)) keep_if_parsed(finished, collected);
  }
  if (joiner.finish(finished)) keep_if_parsed(finished, collected);
  input.count_skipped(joiner.dropped());
  if (!any_line) {
    print_line("QZClangTidyVisualizer: Report is empty, there are no messages");
    return false;
  }
  if (messages.empty()) {
    print_line(" QZClangTidyVisualizer: No clang-tidy messages were found");
    return false;
  }
  sort_and_deduplicate(messages);
  return true;
}

namespace {

bool is_check_name_character(char c) {
  return is_alnum(c) || c == '-' || c == '.' || c == '_';
}

// Checks as clang-tidy names them in brackets: letters, digits, ".", "_" and
// "-" with at least one "-" (modernize-use-nullptr), joined by commas.
bool is_check_list(std::string_view text) {
  for (std::size_t begin = 0;;) {
    const std::size_t end = std::min(text.find(',', begin), text.size());
    const std::string_view name = text.substr(begin, end - begin);
    if (name.find('-') == kNone ||
        !std::all_of(name.begin(), name.end(), is_check_name_character)) {
      return false;
    }
    if (end == text.size()) return true;
    begin = end + 1;
  }
}

std::string_view without_trailing_space(std::string_view text) {
  while (!text.empty() && is_space(text.back())) text.remove_suffix(1);
  return text;
}

FindingLevel tidy_level(std::string_view severity) {
  if (severity == "error") return FindingLevel::kError;
  return severity == "note" ? FindingLevel::kNote : FindingLevel::kWarning;
}

}  // namespace

TidyDiagnostic tidy_diagnostic(const TidyMessage& message) {
  const std::string_view text = message.text;
  const std::size_t from = message.summary_parts[1].begin;
  // Only the last "[" before each "]" can open a check list ("[" is not a
  // character of one), so each byte is looked at once, whatever the line.
  for (std::size_t after = from, close = text.find(']', from); close != kNone;
       after = close + 1, close = text.find(']', after)) {
    const std::size_t found = text.substr(after, close - after).rfind('[');
    if (found == kNone) continue;
    const std::size_t open = after + found;
    const std::string_view inside = text.substr(open + 1, close - open - 1);
    const bool ends_line = close + 1 == text.size() || is_space(text[close + 1]);
    if (ends_line && is_check_list(inside)) {
      return {inside, without_trailing_space(text.substr(from, open - from))};
    }
  }
  return {{}, without_trailing_space(message.part(message.summary_parts[1]))};
}

void add_tidy_findings(const TidyMessageList& messages, FindingSink& findings) {
  for (const TidyMessage& message : messages) {
    const TidyDiagnostic diagnostic = tidy_diagnostic(message);
    Finding finding;
    finding.file = message.file();
    finding.line = static_cast<std::uint32_t>(message.line);
    finding.column = static_cast<std::uint32_t>(message.column);
    finding.rule_id = diagnostic.checks;
    finding.level = tidy_level(message.part(message.summary_parts[0]));
    finding.message = diagnostic.message;
    findings.add(finding);
  }
}

void visualize_clang_tidy(const Run& run) {
  TidyMessages collected;
  if (!collect_tidy_messages(run.input, collected)) {
    print_line("QZClangTidyVisualizer: Getting clang-tidy analysis result was not successful");
    return;
  }
  if (run.findings != nullptr) add_tidy_findings(collected.messages, *run.findings);
  write_report_page(group_messages_by_file(collected.messages), run.output);
  // The success line stands only under a page that was written completely.
  run.output.finish();
  print_line("QZClangTidyVisualizer: Report has been built successfully");
}

}  // namespace qz
