#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/file.h"

namespace qz {

// Reads an open input line by line in large blocks. A line ends at a line
// feed; the carriage returns directly before it are dropped with it, any
// other carriage return stays in the line. A last line without a line feed
// is delivered too, without the carriage returns at its end. A line longer
// than the limit (its content, without the line end) is skipped whole and
// counted, so that no input can exhaust the memory.
class LineReader {
 public:
  static constexpr std::size_t kDefaultMaxLine = std::size_t{256} << 20;

  // How next_holding reads: the way the input calls for, or one way forced,
  // so that tests and the benchmark can compare both.
  enum class Way { kChosen, kPassOver, kEveryLine };
  // The way the environment variable QZ_FAST_PATH forces ("pass-over" or
  // "every-line"); kChosen when it is unset or names neither.
  static Way way_from_environment();

  explicit LineReader(File& input, std::size_t max_line = kDefaultMaxLine,
                      Way way = way_from_environment());
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // The next line, valid until the next call; false at the end of the input.
  // Throws RunError when reading fails.
  bool next(std::string_view& line) {
    // Most lines stand whole in the buffer: those are cut here, inline.
    const std::size_t unread = end_ - begin_;
    if (unread > scanned_) {
      const char* const start = buffer_.get() + begin_;
      const void* const feed = std::memchr(start + scanned_, '\n', unread - scanned_);
      if (feed != nullptr) {
        const auto length = static_cast<std::size_t>(static_cast<const char*>(feed) - start);
        const std::string_view content = without_final_crs(start, length);
        if (content.size() <= max_line_) {
          begin_ += length + 1;
          scanned_ = 0;
          line = content;
          return true;
        }
      }
    }
    return next_after_reading(line);
  }

  // The next line that holds one of `texts` (at most four, none empty), or
  // with no texts the next line. Where few lines hold one, most of a log is
  // then only searched, not cut into lines; where most do, cutting every
  // line is cheaper, and lines without one come too. Which way is taken
  // depends on the input alone: the same input is always read the same way.
  bool next_holding(std::string_view& line, std::span<const std::string> texts) {
    if (texts.empty()) return next(line);
    if (consumed() >= window_end_) choose_way(texts.size());
    ++window_lines_;
    return passing_over_ ? next_passing_over(line, texts) : next(line);
  }

  // The longest line delivered, in bytes; longer ones are skipped.
  std::size_t max_line() const { return max_line_; }
  // Lines skipped for their length, with the texts a caller dropped for the
  // same reason (a message it joined from lines that grew too long).
  std::size_t skipped_lines() const { return skipped_; }
  void count_skipped(std::size_t texts) { skipped_ += texts; }

 private:
  // A Windows tool that writes CR LF through a text-mode stream doubles the
  // carriage return, so every one at the end of a line goes.
  static std::string_view without_final_crs(const char* data, std::size_t size) {
    while (size > 0 && data[size - 1] == '\r') --size;
    return {data, size};
  }
  bool next_after_reading(std::string_view& line);
  // Whether the unfinished line in the buffer, `unread` bytes, is already
  // longer than the limit.
  bool unfinished_line_too_long(std::size_t unread) const;
  bool next_passing_over(std::string_view& line, std::span<const std::string> texts);
  std::uint64_t consumed() const { return read_ + begin_ - end_; }
  void choose_way(std::size_t texts);
  bool fill();  // reads more bytes behind the unread ones; false at the end
  void skip_rest_of_line();
  std::size_t read_into(char* data, std::size_t size);

  File& input_;
  std::size_t max_line_;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::size_t begin_ = 0;    // first unread byte
  std::size_t end_ = 0;      // one past the last byte read
  std::size_t scanned_ = 0;  // bytes from begin_ known to hold no line feed
  std::size_t skipped_ = 0;
  bool at_end_ = false;
  std::uint64_t read_ = 0;  // bytes read in all

  // The ways of next_holding, over windows of the input: each is tried on
  // one window in every cycle, and what they delivered there decides the
  // others.
  Way way_;
  bool passing_over_ = true;
  std::uint64_t window_end_ = 0;
  std::uint64_t window_start_ = 0;
  std::uint64_t window_lines_ = 0;
  unsigned window_ = 0;
  // Lines per byte: those holding a text (passing over), all (every line).
  double holding_per_byte_ = 0;
  double lines_per_byte_ = 0;
};

// The line loop of the formats that read one line at a time: every line
// that holds one of `needed` (all lines, when it is empty) goes to `classify`
// with one record that is reused, and each recognised record is handed to
// `take` at once, so that no record is held. A classifier fills every field
// of the record when it recognises a line.
template <typename Record, typename Classify, typename Take>
void read_records(LineReader& input, std::span<const std::string> needed, Classify classify,
                  Take take) {
  Record record;
  std::string_view line;
  while (input.next_holding(line, needed)) {
    if (classify(line, record)) take(record);
  }
}

}  // namespace qz
