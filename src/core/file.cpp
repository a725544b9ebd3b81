#include "core/file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace qz {

RunError::RunError(Step step, const std::string& reason)
    : std::runtime_error(reason), step_(step) {}

namespace {

#ifdef _WIN32

constexpr int kInputFlags = _O_RDONLY | _O_BINARY | _O_NOINHERIT;
constexpr int kOutputFlags = _O_CREAT | _O_TEXT | _O_NOINHERIT;
constexpr int kReadWrite = _O_RDWR;
constexpr int kWriteOnly = _O_WRONLY;
constexpr int kChunk = 1 << 30;  // the largest count one call takes safely

int open_file(const std::string& path, int flags) {
  return _open(path.c_str(), flags, _S_IREAD | _S_IWRITE);
}
int close_file(int fd) { return _close(fd); }
bool is_directory(int fd) {
  struct _stat64 info {};
  return _fstat64(fd, &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFDIR;
}
bool is_regular_file(int fd) {
  struct _stat64 info {};
  return _fstat64(fd, &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
}
bool is_regular_path(const std::string& path, bool& exists) {
  struct _stat64 info {};
  exists = _stat64(path.c_str(), &info) == 0;
  return exists && (info.st_mode & _S_IFMT) == _S_IFREG;
}

std::optional<FileIdentity> identity_of_handle(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (handle == INVALID_HANDLE_VALUE || GetFileInformationByHandle(handle, &info) == 0) {
    return std::nullopt;
  }
  return FileIdentity{
      info.dwVolumeSerialNumber,
      (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

#else

constexpr int kInputFlags = O_RDONLY | O_CLOEXEC;
constexpr int kOutputFlags = O_CREAT | O_CLOEXEC;
constexpr int kReadWrite = O_RDWR;
constexpr int kWriteOnly = O_WRONLY;
constexpr std::size_t kChunk = 1 << 30;

int open_file(const std::string& path, int flags) {
  int fd = -1;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  return fd;
}
int close_file(int fd) { return ::close(fd); }
bool is_directory(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}
bool is_regular_file(int fd) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}
bool is_regular_path(const std::string& path, bool& exists) {
  struct stat info {};
  exists = ::stat(path.c_str(), &info) == 0;
  return exists && S_ISREG(info.st_mode);
}

#endif

}  // namespace

std::optional<FileIdentity> identity_of(const std::string& path) {
#ifdef _WIN32
  // Opening for no access at all reads the identity of any file or folder.
  const HANDLE handle =
      CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  const std::optional<FileIdentity> identity = identity_of_handle(handle);
  CloseHandle(handle);
  return identity;
#else
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<unsigned long long>(info.st_dev),
                      static_cast<unsigned long long>(info.st_ino)};
#endif
}

File::File(int fd) : fd_(fd) {}

File::~File() {
  if (fd_ >= 0) close_file(fd_);
}

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), regular_(other.regular_), readable_(other.readable_) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close_file(fd_);
    fd_ = std::exchange(other.fd_, -1);
    regular_ = other.regular_;
    readable_ = other.readable_;
  }
  return *this;
}

File File::open_input(const std::string& path) {
  File file(open_file(path, kInputFlags));
  if (file.is_open() && is_directory(file.fd_)) return File();
  file.regular_ = file.is_open() && is_regular_file(file.fd_);
  file.readable_ = file.is_open();
  return file;
}

File File::open_output(const std::string& path) {
  // A FIFO or device is opened for writing only: opened for reading as well,
  // a FIFO would no longer wait for its reader.
  bool exists = false;
  const bool regular_or_new = is_regular_path(path, exists) || !exists;
  File file;
  if (regular_or_new) {
    file = File(open_file(path, kOutputFlags | kReadWrite));
    file.readable_ = file.is_open();
  }
  if (!file.is_open()) file = File(open_file(path, kOutputFlags | kWriteOnly));
  file.regular_ = file.is_open() && is_regular_file(file.fd_);
  return file;
}

std::optional<FileIdentity> identity_of_descriptor(int fd) {
  if (fd < 0) return std::nullopt;
#ifdef _WIN32
  return identity_of_handle(reinterpret_cast<HANDLE>(_get_osfhandle(fd)));
#else
  struct stat info {};
  if (::fstat(fd, &info) != 0) return std::nullopt;
  return FileIdentity{static_cast<unsigned long long>(info.st_dev),
                      static_cast<unsigned long long>(info.st_ino)};
#endif
}

std::optional<FileIdentity> File::identity() const { return identity_of_descriptor(fd_); }

long long File::read(char* data, std::size_t size) {
  if (fd_ < 0) return -1;
  const auto count = static_cast<unsigned>(std::min<std::size_t>(size, kChunk));
  for (;;) {
#ifdef _WIN32
    const int got = _read(fd_, data, count);
#else
    const ssize_t got = ::read(fd_, data, count);
#endif
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool File::write(const char* data, std::size_t size) {
  if (fd_ < 0) return false;
  while (size > 0) {
    const auto count = static_cast<unsigned>(std::min<std::size_t>(size, kChunk));
#ifdef _WIN32
    const int written = _write(fd_, data, count);
#else
    const ssize_t written = ::write(fd_, data, count);
#endif
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

bool File::truncate_to_empty() {
  if (fd_ < 0 || !regular_) return fd_ >= 0;
#ifdef _WIN32
  return _chsize_s(fd_, 0) == 0 && _lseeki64(fd_, 0, SEEK_SET) == 0;
#else
  return ::ftruncate(fd_, 0) == 0 && ::lseek(fd_, 0, SEEK_SET) == 0;
#endif
}

bool File::rewind() {
#ifdef _WIN32
  // What was written is read back as it stands in the file, CR LF included:
  // in text mode a Ctrl-Z byte would end the reading early.
  return fd_ >= 0 && _setmode(fd_, _O_BINARY) != -1 && _lseeki64(fd_, 0, SEEK_SET) == 0;
#else
  return fd_ >= 0 && ::lseek(fd_, 0, SEEK_SET) == 0;
#endif
}

bool File::close() {
  if (fd_ < 0) return false;
  return close_file(std::exchange(fd_, -1)) == 0;
}

}  // namespace qz
