#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

// Reads a file line by line in large blocks. A line ends at a line feed;
// exactly one carriage return directly before the line feed is dropped with
// it, any other carriage return stays in the line. A last line without a
// line feed is delivered too. Lines may be of any length.
class LineReader {
 public:
  // A file that cannot be opened reads as empty (see is_open).
  explicit LineReader(const std::string& path);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  bool is_open() const { return file_ != nullptr; }

  // The next line, valid until the next call; false at the end of the input
  // (a read error counts as the end).
  bool next(std::string_view& line);

 private:
  bool fill();  // reads more bytes behind the unread ones; false if none came

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t begin_ = 0;  // first unread byte
  std::size_t end_ = 0;    // one past the last byte read
  std::size_t scanned_ = 0;  // bytes from begin_ known to hold no line feed
  bool at_end_ = false;
};

}  // namespace qz
