#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qz {

// An anonymous file in the temporary folder (TMPDIR, TEMP, ...), removed
// when it is closed, also when the process dies: written once, then read
// back from the start. Writes go out in large blocks. Failures throw
// RunError (Step::kWriteDatabase): its only use is collecting rows.
class TempFile {
 public:
  TempFile();
  ~TempFile();
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // Where to append text; call wrote() after appending.
  std::string& text() { return pending_; }
  void wrote() {
    if (pending_.size() >= kBlock) flush();
  }

  // Writes what is pending and goes back to the first byte; may be called
  // again to read everything once more.
  void rewind();
  // The next block of the file; empty at its end.
  std::string_view read();

 private:
  static constexpr std::size_t kBlock = std::size_t{1} << 20;
  void flush();
  [[noreturn]] static void fail(const std::string& what);

  int fd_ = -1;
  std::string pending_;
  std::string block_;
};

}  // namespace qz
