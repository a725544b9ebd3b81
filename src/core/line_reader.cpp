#include "core/line_reader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/text_search.h"

namespace qz {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 18;
// next_holding counts the lines of its ways over this much input, and tries
// each again once in so many windows.
constexpr std::uint64_t kWindowSize = std::uint64_t{1} << 20;
constexpr unsigned kWaysCycle = 16;
// Passing over pays while fewer lines than this share hold a text: each line
// it delivers costs a search restarted and the line's start looked up, which
// cutting every line saves, while each line it passes over saves cutting the
// line and the pattern's first test. A search for three or four texts at
// once costs about twice that for one or two. (Measured with bench/run.sh.)
double most_holding_for_passing_over(std::size_t texts) { return texts <= 2 ? 0.55 : 0.25; }

}  // namespace

LineReader::Way LineReader::way_from_environment() {
  const char* value = std::getenv("QZ_FAST_PATH");
  const std::string_view way = value == nullptr ? "" : value;
  return way == "pass-over" ? Way::kPassOver : way == "every-line" ? Way::kEveryLine : Way::kChosen;
}

LineReader::LineReader(File& input, std::size_t max_line, Way way)
    : input_(input),
      max_line_(max_line),
      // Left uninitialised: every byte is read before it is looked at.
      buffer_(new char[kBlockSize]),
      capacity_(kBlockSize),
      way_(way) {}

bool LineReader::next_after_reading(std::string_view& line) {
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const std::size_t unread = end_ - begin_;
    const void* feed =
        unread > scanned_ ? std::memchr(start + scanned_, '\n', unread - scanned_) : nullptr;
    if (feed != nullptr) {
      const auto length = static_cast<std::size_t>(static_cast<const char*>(feed) - start);
      begin_ += length + 1;
      scanned_ = 0;
      line = without_final_crs(start, length);
      if (line.size() > max_line_) {
        ++skipped_;
        continue;
      }
      return true;
    }
    scanned_ = unread;
    if (unfinished_line_too_long(unread)) {
      skip_rest_of_line();
      continue;
    }
    if (!fill()) {
      if (begin_ == end_) return false;
      line = without_final_crs(buffer_.get() + begin_, end_ - begin_);
      begin_ = end_;
      scanned_ = 0;
      return true;
    }
  }
}

bool LineReader::unfinished_line_too_long(std::size_t unread) const {
  if (unread <= max_line_) return false;
  // Carriage returns at its end may still turn out to end the line; more of
  // them than the buffer keeps room for make it too long all the same.
  const std::size_t content = without_final_crs(buffer_.get() + begin_, unread).size();
  return content > max_line_ || unread - max_line_ > kBlockSize / 4;
}

void LineReader::choose_way(std::size_t texts) {
  const std::uint64_t done = consumed();
  if (window_ > 0 && done > window_start_) {
    const double per_byte =
        static_cast<double>(window_lines_) / static_cast<double>(done - window_start_);
    (passing_over_ ? holding_per_byte_ : lines_per_byte_) = per_byte;
  }
  const unsigned place = window_ % kWaysCycle;
  if (way_ != Way::kChosen) {
    passing_over_ = way_ == Way::kPassOver;
  } else {
    passing_over_ =
        place == 0   ? true
        : place == 1 ? false
                     : holding_per_byte_ < most_holding_for_passing_over(texts) * lines_per_byte_;
  }
  ++window_;
  window_start_ = done;
  window_end_ = done + kWindowSize;
  window_lines_ = 0;
}

bool LineReader::next_passing_over(std::string_view& line, std::span<const std::string> texts) {
  std::size_t longest = 0;
  for (const std::string& text : texts) longest = std::max(longest, text.size());
  std::size_t searched = 0;  // bytes from begin_ that hold no text's start
  for (;;) {
    // Where the buffer can hold a line longer than the limit, such a line
    // must be counted even if passed over: next() does that.
    if (capacity_ > max_line_) return next(line);
    const std::string_view unread(buffer_.get() + begin_, end_ - begin_);
    const std::size_t hit = find_texts(unread, texts, searched);
    if (hit != std::string_view::npos) {
      const std::size_t feed = find_last_byte(unread, '\n', hit);
      const std::size_t line_start = feed == std::string_view::npos ? 0 : feed + 1;
      begin_ += line_start;
      scanned_ = hit - line_start;
      return next(line);
    }
    // Only the unfinished last line can still come to hold one.
    const std::size_t feed = find_last_byte(unread, '\n', unread.size());
    if (feed != std::string_view::npos) begin_ += feed + 1;
    scanned_ = end_ - begin_;
    searched = scanned_ >= longest ? scanned_ - (longest - 1) : 0;
    if (unfinished_line_too_long(scanned_)) {
      skip_rest_of_line();
      searched = 0;
      continue;
    }
    if (!fill()) {
      begin_ = end_;
      scanned_ = 0;
      return false;
    }
  }
}

std::size_t LineReader::read_into(char* data, std::size_t size) {
  if (at_end_) return 0;
  const long long count = input_.read(data, size);
  if (count < 0) throw RunError(RunError::Step::kReadInput, "the input could not be read");
  if (count == 0) at_end_ = true;
  read_ += static_cast<std::uint64_t>(count);
  return static_cast<std::size_t>(count);
}

bool LineReader::fill() {
  if (at_end_) return false;
  if (begin_ > 0) {  // keep the unread bytes at the front
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (capacity_ - end_ < kBlockSize / 2) {
    // Never more than one line of the longest length and one block.
    const std::size_t grown = std::min(capacity_ * 2, max_line_ + kBlockSize);
    std::unique_ptr<char[]> larger(new char[grown]);
    std::memcpy(larger.get(), buffer_.get(), end_);
    buffer_ = std::move(larger);
    capacity_ = grown;
  }
  const std::size_t count = read_into(buffer_.get() + end_, capacity_ - end_);
  end_ += count;
  return count > 0;
}

// Drops what is buffered of an over-long line and reads on to its end
// without keeping it.
void LineReader::skip_rest_of_line() {
  begin_ = end_ = scanned_ = 0;
  ++skipped_;
  for (;;) {
    const std::size_t count = read_into(buffer_.get(), capacity_);
    if (count == 0) return;
    const void* feed = std::memchr(buffer_.get(), '\n', count);
    if (feed != nullptr) {
      begin_ = static_cast<std::size_t>(static_cast<const char*>(feed) - buffer_.get()) + 1;
      end_ = count;
      return;
    }
  }
}

}  // namespace qz
