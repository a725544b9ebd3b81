// Clang-tidy console output cut into messages: which lines start a
// diagnostic, which lines the tool prints about the run itself, and the
// joiner that puts the lines of one diagnostic together.
#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

#include "core/char_class.h"
#include "core/text_search.h"
#include "core/util.h"
#include "formats/clang_tidy_lines.h"

namespace qz {

using namespace std::literals;

namespace {

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
  // Every such word holds the name: most lines end here, after one search.
  if (find_text(line, "clang-tidy"sv, 0) == std::string_view::npos) return false;
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

// The severity ("error", "note" or "warning") that `text` ends with, if any;
// their last letters differ, so at most one can.
std::string_view severity_at_end(std::string_view text) {
  if (text.empty()) return {};
  std::string_view severity;
  switch (text.back()) {
    case 'r':
      severity = "error"sv;
      break;
    case 'e':
      severity = "note"sv;
      break;
    case 'g':
      severity = "warning"sv;
      break;
    default:
      return {};
  }
  return text.ends_with(severity) ? severity : std::string_view();
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
    const std::string_view severity = severity_at_end(before);
    if (severity.empty()) continue;
    if (!breaks) breaks = line_breaks(line);
    if (starts_at(line, *breaks, before.size() - severity.size(), severity.size() + 1)) return true;
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

}  // namespace qz
