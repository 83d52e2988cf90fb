// The folder of the working files for one run of the tool.
#pragma once

#include <filesystem>

#include "common/platform/file_lock.h"

namespace cli {

// Each run gets a fresh private folder, removed at the end, so that two runs at once never share
// the fixed-name working files: under $TMPDIR or /tmp, or inside a folder given with --workdir
// (created when missing, and kept). A given folder is held by one run at a time (a lock file in
// it), and a file of the user's there is never replaced by a working file of the same name.
class WorkFolder {
 public:
  enum class Given { kReady, kCannotCreate, kInUse };

  WorkFolder() = default;
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  ~WorkFolder();

  [[nodiscard]] Given UseGiven(const std::filesystem::path& dir);
  [[nodiscard]] bool MakePrivate();
  const std::filesystem::path& Path() const { return path_; }

  // Where private folders are made: $TMPDIR when set, else /tmp.
  static std::filesystem::path PrivateParent();

 private:
  [[nodiscard]] bool MakePrivateIn(const std::filesystem::path& parent);

  std::filesystem::path path_;
  common::FileLock given_lock_;
};

}  // namespace cli
