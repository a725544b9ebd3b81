#include "core/line_reader.h"

#include <algorithm>
#include <cstring>

namespace qz {
namespace {

constexpr std::size_t kBlockSize = std::size_t{1} << 18;

}  // namespace

LineReader::LineReader(File& input, std::size_t max_line)
    : input_(input),
      max_line_(max_line),
      // Left uninitialised: every byte is read before it is looked at.
      buffer_(new char[kBlockSize]),
      capacity_(kBlockSize) {}

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
      if (length > max_line_) {
        ++skipped_;
        continue;
      }
      line = without_final_crs(start, length);
      return true;
    }
    scanned_ = unread;
    if (unread > max_line_) {
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

std::size_t LineReader::read_into(char* data, std::size_t size) {
  if (at_end_) return 0;
  const long long count = input_.read(data, size);
  if (count < 0) throw RunError(RunError::Step::kReadInput, "the input could not be read");
  if (count == 0) at_end_ = true;
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
