// Clang-tidy console output cut into diagnostics: lines are joined into
// messages, the messages that parse are sorted and de-duplicated, and the
// page (clang_tidy_page.cpp) shows them per source file.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "core/util.h"
#include "formats/formats.h"

#ifdef __linux__
#include <sys/mman.h>
#endif

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
bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Where the line breaks of a text lie: the first and the last, if any.
struct LineBreaks {
  std::size_t first = std::string_view::npos;
  std::size_t last = std::string_view::npos;
};

LineBreaks line_breaks(std::string_view text) {
  LineBreaks found;
  for (const char line_break : {'\n', '\r'}) {
    const void* first = std::memchr(text.data(), line_break, text.size());
    if (first == nullptr) continue;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(first) - text.data());
    found.first = std::min(found.first, at);
    const std::size_t last = text.rfind(line_break);
    found.last = found.last == std::string_view::npos ? last : std::max(found.last, last);
  }
  return found;
}

// Whether the start pattern matches with its severity ("warning:", say) at
// `at`. Every piece around the severity is a run of one class or a literal,
// so each is found directly: white space after the colon, then anything
// without a line break; before the severity white space, and before that
// ":digits:digits:" with anything without a line break in front.
bool starts_at(std::string_view line, const LineBreaks& breaks, std::size_t at,
               std::size_t severity_size) {
  std::size_t after = at + severity_size;
  if (after >= line.size() || !is_space(line[after])) return false;
  while (after < line.size() && is_space(line[after])) ++after;
  if (breaks.last != std::string_view::npos && breaks.last >= after) return false;
  std::size_t before = at;
  if (before == 0 || !is_space(line[before - 1])) return false;
  while (before > 0 && is_space(line[before - 1])) --before;
  for (int number = 0; number < 2; ++number) {
    if (before == 0 || line[before - 1] != ':') return false;
    const std::size_t digits_end = --before;
    while (before > 0 && is_digit(line[before - 1])) --before;
    if (before == digits_end) return false;
  }
  if (before == 0 || line[before - 1] != ':') return false;
  return breaks.first == std::string_view::npos || breaks.first >= before - 1;
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
  return consume(rest, "[") && consume_number(rest) && consume(rest, "/") && consume_number(rest) &&
         consume(rest, "] Processing file ");
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

// The start pattern, decided by a scan from each severity in the line, in
// place of an automaton run over every line that names one. Linear: the
// white space and digit runs that the scans cross lie between one severity
// and the next, so each byte is looked at a few times per severity word.
// The tests and the fuzz target check it against the pattern.
bool starts_tidy_message(std::string_view line) {
  std::optional<LineBreaks> breaks;
  // Every severity ends in a colon: the few colons of a line lead to them.
  for (const char* colon = static_cast<const char*>(std::memchr(line.data(), ':', line.size()));
       colon != nullptr;
       colon = static_cast<const char*>(std::memchr(
           colon + 1, ':', static_cast<std::size_t>(line.data() + line.size() - colon - 1)))) {
    const std::string_view before = line.substr(0, static_cast<std::size_t>(colon - line.data()));
    for (const std::string_view severity : {"error", "note", "warning"}) {
      if (!before.ends_with(severity)) continue;
      if (!breaks) breaks = line_breaks(line);
      if (starts_at(line, *breaks, before.size() - severity.size(), severity.size() + 1))
        return true;
    }
  }
  return false;
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

Landmarks find_landmarks(std::string_view text, const LineBreaks& breaks) {
  Landmarks found;
  found.close = text.rfind(']');
  if (found.close != kNone && found.close > 0) found.open = text.rfind('[', found.close - 1);
  found.last_break = breaks.last;
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
  const LineBreaks breaks = line_breaks(text);
  const Landmarks landmarks = find_landmarks(text, breaks);
  if (landmarks.open == kNone) return false;
  // The path runs to the last dot behind which the rest matches, and holds no
  // line break; the rest needs the check's opening bracket after it. At one
  // dot at most one extension can fit, as a colon follows it.
  std::size_t search_end = std::min(breaks.first, landmarks.open);
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

// Where each distinct text stands among the others in byte order. The texts
// are many, the distinct ones few: those are found by hashing, then sorted.
std::unordered_map<std::string_view, std::uint32_t> ranks_of(
    const std::vector<TidyMessage>& messages, std::string_view (TidyMessage::*text)() const) {
  std::unordered_map<std::string_view, std::uint32_t> ranks;
  for (const TidyMessage& message : messages) ranks.emplace((message.*text)(), 0);
  std::vector<std::string_view> sorted;
  sorted.reserve(ranks.size());
  for (const auto& entry : ranks) sorted.push_back(entry.first);
  std::sort(sorted.begin(), sorted.end());
  for (std::size_t i = 0; i < sorted.size(); ++i) ranks[sorted[i]] = static_cast<std::uint32_t>(i);
  return ranks;
}

// Puts the message keys[i].index at place i, in place: messages are large
// in number, and a second list of them would cost as much memory again.
template <typename Key>
void apply_order(std::vector<TidyMessage>& messages, const std::vector<Key>& keys) {
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
void sort_and_deduplicate(std::vector<TidyMessage>& messages) {
  const auto file_ranks = ranks_of(messages, &TidyMessage::file);
  const auto check_ranks = ranks_of(messages, &TidyMessage::check);
  struct Key {
    std::uint32_t file;
    std::int32_t line;
    std::uint32_t check;
    std::uint32_t index;
  };
  std::vector<Key> keys;
  keys.reserve(messages.size());
  for (std::size_t i = 0; i < messages.size(); ++i) {
    keys.push_back({file_ranks.at(messages[i].file()), messages[i].line,
                    check_ranks.at(messages[i].check()), static_cast<std::uint32_t>(i)});
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
constexpr std::size_t kHugePage = std::size_t{2} << 20;

// A block for `size` bytes of texts, starting at `start`. The texts are
// written once and then only read: on Linux the block asks for huge pages,
// as the faults of fresh 4 KiB pages cost about as much as the copying.
char* new_text_block(TidyMessages& collected, std::size_t size) {
  collected.text_blocks.emplace_back(new char[size + kHugePage]);
  const auto base = reinterpret_cast<std::uintptr_t>(collected.text_blocks.back().get());
  char* const start = reinterpret_cast<char*>((base + kHugePage - 1) & ~(kHugePage - 1));
#ifdef __linux__
  madvise(start, size & ~(kHugePage - 1), MADV_HUGEPAGE);
#endif
  return start;
}

// A copy of `text` that lives as long as the collection.
std::string_view keep_text(TidyMessages& collected, std::string_view text) {
  if (collected.block_used + text.size() > collected.block_size) {
    collected.block_size = std::max(kTextBlock, text.size());
    collected.block_start = new_text_block(collected, collected.block_size);
    collected.block_used = 0;
  }
  char* const kept = collected.block_start + collected.block_used;
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
  std::vector<TidyMessage>& messages = collected.messages;
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

void visualize_clang_tidy(const Run& run) {
  TidyMessages collected;
  if (!collect_tidy_messages(run.input, collected)) {
    print_line("QZClangTidyVisualizer: Getting clang-tidy analysis result was not successful");
    return;
  }
  write_report_page(group_messages_by_file(collected.messages), run.output);
  // The success line stands only under a page that was written completely.
  run.output.finish();
  print_line("QZClangTidyVisualizer: Report has been built successfully");
}

}  // namespace qz
