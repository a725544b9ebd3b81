#include "core/temp_file.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/file.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace qz {
namespace {

#ifdef _WIN32

// The file is named, as Windows wants, and goes when it is closed.
int open_temporary() {
  wchar_t folder[MAX_PATH + 1];
  wchar_t name[MAX_PATH + 1];
  if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, L"qz", 0, name) == 0) {
    return -1;
  }
  return _wopen(name, _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_SHORT_LIVED);
}
long long write_some(int fd, const char* data, std::size_t size) {
  return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1U << 30)));
}
long long read_some(int fd, char* data, std::size_t size) {
  return _read(fd, data, static_cast<unsigned>(size));
}
bool seek_to_start(int fd) { return _lseeki64(fd, 0, SEEK_SET) == 0; }

#else

// Nameless where the file system allows, otherwise unlinked at once.
int open_temporary() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) return -1;
#ifdef O_TMPFILE
  const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
#endif
  std::string name = (folder / "qz-rows-XXXXXX").string();
  const int named = ::mkstemp(name.data());
  if (named >= 0) ::unlink(name.c_str());
  return named;
}
long long write_some(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }
long long read_some(int fd, char* data, std::size_t size) { return ::read(fd, data, size); }
bool seek_to_start(int fd) { return ::lseek(fd, 0, SEEK_SET) == 0; }

#endif

}  // namespace

TempFile::TempFile() : fd_(open_temporary()) {
  if (fd_ < 0) fail("cannot create a temporary file");
  pending_.reserve(kBlock + kBlock / 4);
}

TempFile::~TempFile() {
#ifdef _WIN32
  if (fd_ >= 0) _close(fd_);
#else
  if (fd_ >= 0) ::close(fd_);
#endif
}

void TempFile::fail(const std::string& what) {
  throw RunError(RunError::Step::kWriteDatabase, what + ": " + std::strerror(errno));
}

void TempFile::flush() {
  for (std::size_t done = 0; done < pending_.size();) {
    const long long count = write_some(fd_, pending_.data() + done, pending_.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) fail("cannot write a temporary file");
    done += static_cast<std::size_t>(count);
  }
  pending_.clear();
}

void TempFile::rewind() {
  flush();
  if (!seek_to_start(fd_)) fail("cannot read a temporary file");
}

std::string_view TempFile::read() {
  block_.resize(kBlock);
  long long count = -1;
  do {
    count = read_some(fd_, block_.data(), block_.size());
  } while (count < 0 && errno == EINTR);
  if (count < 0) fail("cannot read a temporary file");
  return std::string_view(block_.data(), static_cast<std::size_t>(count));
}

}  // namespace qz
