#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace qz {

// A failure that ends the run early: the step that failed and, where there is
// one, the reason behind it. The driver turns it into a message and status.
class RunError : public std::runtime_error {
 public:
  enum class Step { kReadInput, kWriteOutput, kReadDatabase, kWriteDatabase, kWriteSarif };
  RunError(Step step, const std::string& reason);
  Step step() const { return step_; }

 private:
  Step step_;
};

// Where a file lives on its device: equal for two names of one file (links,
// "./x", "sub/../x").
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long index = 0;
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file that `path` names, if it exists.
std::optional<FileIdentity> identity_of(const std::string& path);

// The identity of the file open as descriptor `fd`, if it is one (not a
// console or pipe on Windows).
std::optional<FileIdentity> identity_of_descriptor(int fd);

// An open file of the operating system, opened once and handed on, so that a
// FIFO or device is never opened twice. Closed when it goes out of scope.
class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  // For reading, byte for byte. A directory is refused.
  static File open_input(const std::string& path);
  // For writing: created if missing, but not yet truncated, so that it can
  // be compared with the input first. Line ends are the platform's text line
  // ends. A regular file is opened for reading too where that is allowed.
  static File open_output(const std::string& path);

  bool is_open() const { return fd_ >= 0; }
  bool is_regular() const { return regular_; }
  bool is_readable() const { return readable_; }
  std::optional<FileIdentity> identity() const;

  // Up to `size` bytes; 0 at the end of the file, -1 when reading failed.
  long long read(char* data, std::size_t size);
  // All `size` bytes; false when writing failed.
  bool write(const char* data, std::size_t size);
  // A regular file is cut to empty; other files are left as they are.
  bool truncate_to_empty();
  // Back to the first byte, to read what was written byte for byte (on
  // Windows with its CR LF line ends).
  bool rewind();
  // False when the file was not open or closing reported an error.
  bool close();

 private:
  explicit File(int fd);

  int fd_ = -1;
  bool regular_ = false;
  bool readable_ = false;
};

}  // namespace qz
