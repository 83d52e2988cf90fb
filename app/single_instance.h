// One running copy of the desktop program per user: a second copy finds the lock taken and ends.
#pragma once

#include <filesystem>
#include <string_view>

namespace app {

enum class LockOutcome {
  kAcquired,
  kHeldElsewhere,  // another copy runs
  kUnavailable,    // the lock file cannot be used; the program runs without the guard
};

// An flock(2) on a file named after the lock, held for as long as the object lives. The file is
// opened close-on-exec, so that a browser started by the program never keeps the lock after
// the program has ended.
class SingleInstanceLock {
 public:
  explicit SingleInstanceLock(std::filesystem::path lock_file);
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;
  ~SingleInstanceLock();

  LockOutcome Acquire();

 private:
  std::filesystem::path lock_file_;
  int fd_ = -1;
};

// $XDG_RUNTIME_DIR/NAME.lock, the user's private runtime folder; without one,
// $TMPDIR (or /tmp)/NAME-UID.lock.
std::filesystem::path UserLockFile(std::string_view name);

}  // namespace app
