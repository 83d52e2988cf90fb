// Lock files with flock(2).
#include "common/platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace common {

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the file lets the lock go
}

bool FileLock::Take(const std::filesystem::path& path) { return Lock(path, true); }

bool FileLock::TakeIfFree(const std::filesystem::path& path) { return Lock(path, false); }

bool FileLock::Lock(const std::filesystem::path& path, bool wait) {
  if (fd_ >= 0) return true;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) return false;
  int result = 0;
  do {
    result = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

}  // namespace common
