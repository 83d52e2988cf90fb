// A lock on a lock file (flock(2)), held for as long as the object lives: how two runs of the
// program keep from changing one shared file, or using one folder, at the same time. The lock
// goes with the process, so a run that is killed never leaves it taken.
#pragma once

#include <filesystem>

namespace common {

class FileLock {
 public:
  FileLock() = default;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

  // Waits until the lock on `path` (made when missing, never through a link) is free and takes
  // it. False when the lock file cannot be opened.
  [[nodiscard]] bool Take(const std::filesystem::path& path);
  // Takes the lock only when nobody holds it; false at once when somebody does (or the file
  // cannot be opened).
  [[nodiscard]] bool TakeIfFree(const std::filesystem::path& path);
  bool Held() const { return fd_ >= 0; }

 private:
  bool Lock(const std::filesystem::path& path, bool wait);

  int fd_ = -1;
};

}  // namespace common
