// The per-user lock behind the single running copy.
#include "app/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace app {

namespace fs = std::filesystem;

namespace {

constexpr mode_t kOwnerOnly = 0600;

fs::path FolderOf(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return {};
  std::error_code error;
  return fs::is_directory(value, error) ? fs::path(value) : fs::path();
}

}  // namespace

SingleInstanceLock::SingleInstanceLock(fs::path lock_file) : lock_file_(std::move(lock_file)) {}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::close(fd_);  // closing drops the lock; the file stays for the next start
}

LockOutcome SingleInstanceLock::Acquire() {
  if (fd_ >= 0) return LockOutcome::kAcquired;
  // O_NOFOLLOW: in a shared /tmp another user could have put a link in the file's place.
  int fd = ::open(lock_file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, kOwnerOnly);
  if (fd < 0) return LockOutcome::kUnavailable;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || info.st_uid != ::geteuid()) {
    // A file that another user made cannot tell whether one of our copies runs.
    ::close(fd);
    return LockOutcome::kUnavailable;
  }
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? LockOutcome::kHeldElsewhere : LockOutcome::kUnavailable;
  }
  fd_ = fd;
  return LockOutcome::kAcquired;
}

fs::path UserLockFile(std::string_view name) {
  fs::path runtime = FolderOf("XDG_RUNTIME_DIR");
  if (!runtime.empty()) return runtime / (std::string(name) + ".lock");
  fs::path temporary = FolderOf("TMPDIR");
  if (temporary.empty()) temporary = "/tmp";
  return temporary / (std::string(name) + "-" + std::to_string(::geteuid()) + ".lock");
}

}  // namespace app
