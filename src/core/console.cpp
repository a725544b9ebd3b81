#include "core/console.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace qz {
namespace {

#ifdef _WIN32

constexpr const char* kNullDevice = "NUL";

bool is_closed(int fd) { return _get_osfhandle(fd) < 0; }
int open_null_device() { return _open(kNullDevice, _O_RDWR | _O_BINARY); }
void duplicate(int from, int to) { _dup2(from, to); }
void close_descriptor(int fd) { _close(fd); }

bool is_null_device(int) { return false; }

#else

constexpr const char* kNullDevice = "/dev/null";

bool is_closed(int fd) { return ::fcntl(fd, F_GETFD) == -1; }
int open_null_device() { return ::open(kNullDevice, O_RDWR); }
void duplicate(int from, int to) { ::dup2(from, to); }
void close_descriptor(int fd) { ::close(fd); }

bool is_null_device(int fd) {
  struct stat descriptor {};
  struct stat null_device {};
  return ::fstat(fd, &descriptor) == 0 && S_ISCHR(descriptor.st_mode) &&
         ::stat(kNullDevice, &null_device) == 0 && descriptor.st_rdev == null_device.st_rdev;
}

#endif

}  // namespace

void open_missing_standard_streams() {
  // Descriptors are handed out lowest first, so each opening fills the
  // closed one in turn; one that cannot be opened stays closed.
  for (int fd = 0; fd <= 2; ++fd) {
    if (!is_closed(fd)) continue;
    const int opened = open_null_device();
    if (opened >= 0 && opened != fd) {
      duplicate(opened, fd);
      close_descriptor(opened);
    }
  }
}

bool standard_output_is_null_device() { return is_null_device(1); }

std::optional<FileIdentity> standard_output_identity() {
  if (is_null_device(1)) return std::nullopt;
  return identity_of_descriptor(1);
}

void move_messages_off(const FileIdentity& output) {
  std::fflush(stdout);
  if (identity_of_descriptor(2) != output) {
    duplicate(2, 1);
    return;
  }
  const int null_device = open_null_device();
  if (null_device < 0) return;
  duplicate(null_device, 1);
  close_descriptor(null_device);
}

}  // namespace qz
