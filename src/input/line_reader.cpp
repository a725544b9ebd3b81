#include "input/line_reader.h"

#include <cstring>

namespace qz {
namespace {

constexpr std::size_t kBlockSize = 1 << 18;

std::string_view without_final_cr(const char* data, std::size_t size) {
  if (size > 0 && data[size - 1] == '\r') --size;
  return {data, size};
}

}  // namespace

LineReader::LineReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {
  if (file_ != nullptr) {
    std::setvbuf(file_, nullptr, _IONBF, 0);  // the block buffer below is enough
    buffer_.resize(kBlockSize);
  }
  at_end_ = file_ == nullptr;
}

LineReader::~LineReader() {
  if (file_ != nullptr) std::fclose(file_);
}

bool LineReader::next(std::string_view& line) {
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const std::size_t unread = end_ - begin_;
    const void* feed =
        unread > scanned_ ? std::memchr(start + scanned_, '\n', unread - scanned_) : nullptr;
    if (feed != nullptr) {
      const std::size_t length = static_cast<const char*>(feed) - start;
      line = without_final_cr(start, length);
      begin_ += length + 1;
      scanned_ = 0;
      return true;
    }
    scanned_ = unread;
    if (!fill()) {
      if (begin_ == end_) return false;
      // The last line has no line feed, so a carriage return at its end stays.
      line = std::string_view(buffer_.data() + begin_, end_ - begin_);
      begin_ = end_;
      scanned_ = 0;
      return true;
    }
  }
}

bool LineReader::fill() {
  if (at_end_) return false;
  if (begin_ > 0) {  // keep the unread bytes at the front
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  if (buffer_.size() - end_ < kBlockSize / 2) buffer_.resize(buffer_.size() * 2);
  const std::size_t count = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, file_);
  end_ += count;
  if (count == 0) at_end_ = true;
  return count > 0;
}

}  // namespace qz
