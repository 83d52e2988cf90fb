// The folder of the working files for one run of the tool.
#pragma once

#include <filesystem>

namespace cli {

// A folder given with --workdir is used as it is (created when missing) and kept. Otherwise
// each run gets a fresh private folder under $TMPDIR or /tmp, removed at the end, so that two
// runs at once never share the fixed-name working files.
class WorkFolder {
 public:
  WorkFolder() = default;
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;
  ~WorkFolder();

  [[nodiscard]] bool UseGiven(const std::filesystem::path& dir);
  [[nodiscard]] bool MakePrivate();
  const std::filesystem::path& Path() const { return path_; }

  // Where private folders are made: $TMPDIR when set, else /tmp.
  static std::filesystem::path PrivateParent();

 private:
  std::filesystem::path path_;
  bool remove_ = false;
};

}  // namespace cli
