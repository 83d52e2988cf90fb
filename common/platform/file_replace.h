// The one way every file written for the user takes the place of the old one: the desktop's
// saves, the command line's output files and every writer of the core.
//
// The new content goes to a temporary file in the target's folder (a short name, so it fits
// wherever the target's name fits) and is renamed over the target only once it is complete, so
// a failed write never leaves half a file. A link is followed: the file it names gets the new
// content and the link stays. The target keeps its permissions. A read-only target is refused,
// as its owner meant it to be kept. A target that is not a regular file (a device, a pipe) is
// never replaced: it is written directly.
#pragma once

#include <filesystem>
#include <string_view>

namespace common {

enum class ReplaceStatus {
  kOk,
  kReadOnly,      // the target is read-only; nothing was written
  kCannotCreate,  // the folder takes no new file
  kWriteFailed,   // the content could not be written whole or put in place
};

class FileReplacement {
 public:
  explicit FileReplacement(const std::filesystem::path& target);
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement();  // an uncommitted temporary file is removed

  // Makes the file to write: a new empty file beside the target, or the target itself when it
  // cannot be replaced. kOk, kReadOnly or kCannotCreate.
  ReplaceStatus Begin();
  // Where the content goes after Begin (open it with "wb"; it may be a pipe).
  const std::filesystem::path& WritePath() const { return write_path_; }
  // The file the content is for: the target, links followed.
  const std::filesystem::path& Target() const { return target_; }
  // Puts the complete file in place with the target's permissions (a new file gets those of
  // any new file). On false the target is as it was and the temporary file is gone.
  [[nodiscard]] bool Commit();

 private:
  std::filesystem::path target_;
  std::filesystem::path write_path_;
  std::filesystem::perms mode_ = std::filesystem::perms::none;
  bool direct_ = false;
  bool pending_ = false;
};

// Gives `target` the content `bytes` by the rules above.
[[nodiscard]] ReplaceStatus ReplaceFile(const std::filesystem::path& target,
                                        std::string_view bytes);

// Moves `from` to `target` when nothing stands there, not even a link, in one rename that can
// replace nothing; the file gets the permissions of any new file. False, with nothing moved,
// when something stands there or the rename cannot be made (another file system): the move is
// then a replacement. Nothing is lost if a crash follows, so nothing waits for the disk.
[[nodiscard]] bool MoveToFreeName(const std::filesystem::path& from,
                                  const std::filesystem::path& target);

// A new empty file with a short unique name in `folder`, for content that is renamed into place
// (or for scratch work beside it); an empty path when the folder takes no new file.
std::filesystem::path NewTemporaryFile(const std::filesystem::path& folder);

}  // namespace common
