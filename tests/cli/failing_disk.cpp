// Replaces the C library's pread() in the program that links this file. The tool reads its
// input files through pread(), so a test can make the disk fail under a real run.
#include "tests/cli/failing_disk.h"

#include <sys/syscall.h>
#include <sys/types.h>

#include <atomic>
#include <cerrno>
#include <limits>

// Declared here, not through <unistd.h>: built with _FORTIFY_SOURCE, that header defines an
// inline pread() of its own, and this file must define the only one.
extern "C" long syscall(long number, ...) noexcept;

namespace {

constexpr std::size_t kNeverFails = std::numeric_limits<std::size_t>::max();
std::atomic<std::size_t> failing_from{kNeverFails};

}  // namespace

extern "C" ssize_t pread(int fd, void* buffer, std::size_t count, off_t offset) {
  if (offset >= 0 && static_cast<std::size_t>(offset) >= failing_from.load()) {
    errno = EIO;
    return -1;
  }
  return static_cast<ssize_t>(syscall(SYS_pread64, fd, buffer, count, offset));
}

namespace cli {

FailingDisk::FailingDisk(std::size_t offset) { failing_from = offset; }

FailingDisk::~FailingDisk() { failing_from = kNeverFails; }

}  // namespace cli
