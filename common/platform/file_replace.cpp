// Replacing a file: temporary sibling, links followed, permissions kept.
#include "common/platform/file_replace.h"

#include <fcntl.h>  // AT_FDCWD
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>  // renameat2
#include <cstdlib>
#include <string>

#include "common/platform/file_system.h"

namespace common {
namespace {

namespace fs = std::filesystem;

// A dot keeps it out of listings; six random letters keep it unique. 11 bytes whatever the
// target's name, which may itself be as long as a name can be.
constexpr std::string_view kTemporaryPattern = ".mkz-XXXXXX";
constexpr int kMaxLinkHops = 40;  // the kernel's own limit on a chain of links

// The file a link names, links after links; a dangling link gives the path it points to, so
// that the file is made there as a plain write would make it.
fs::path Resolve(const fs::path& target) {
  std::error_code error;
  fs::path resolved = target;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    if (!fs::is_symlink(fs::symlink_status(resolved, error))) break;
    fs::path next = fs::read_symlink(resolved, error);
    if (error) break;
    resolved = next.is_absolute() ? next : resolved.parent_path() / next;
  }
  return resolved;
}

// What open(…, 0666) would give a new file: the process's umask applies. Reading the umask
// means setting it, so it is set back at once.
fs::perms NewFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<fs::perms>(0666 & ~mask);
}

}  // namespace

fs::path NewTemporaryFile(const fs::path& folder) {
  std::string name = (folder.empty() ? fs::path(".") : folder) / kTemporaryPattern;
  int fd = ::mkstemp(name.data());
  if (fd < 0) return {};
  ::close(fd);
  return name;
}

FileReplacement::FileReplacement(const fs::path& target) : target_(Resolve(target)) {}

FileReplacement::~FileReplacement() {
  if (pending_) RemoveFile(write_path_);
}

ReplaceStatus FileReplacement::Begin() {
  std::error_code error;
  fs::file_status status = fs::status(target_, error);
  mode_ = NewFileMode();
  if (fs::exists(status)) {
    // A folder in the way is neither replaced nor written: the rename over it fails.
    if (!fs::is_regular_file(status) && !fs::is_directory(status)) {
      direct_ = true;
      write_path_ = target_;
      return ReplaceStatus::kOk;
    }
    if (fs::is_regular_file(status) && IsReadOnly(target_)) return ReplaceStatus::kReadOnly;
    mode_ = status.permissions();
  }
  write_path_ = NewTemporaryFile(target_.parent_path());
  if (write_path_.empty()) return ReplaceStatus::kCannotCreate;
  pending_ = true;
  return ReplaceStatus::kOk;
}

bool FileReplacement::Commit() {
  if (direct_) return true;
  if (!pending_) return false;
  // A file system without modes (FAT) refuses the change; the content still counts.
  std::error_code error;
  fs::permissions(write_path_, mode_, error);
  bool ok = RenameFile(write_path_, target_);
  if (ok) pending_ = false;
  return ok;
}

bool MoveToFreeName(const fs::path& from, const fs::path& target) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
    return false;
  }
  std::error_code error;
  fs::permissions(target, NewFileMode(), error);
  return true;
}

ReplaceStatus ReplaceFile(const fs::path& target, std::string_view bytes) {
  FileReplacement replacement(target);
  if (ReplaceStatus begun = replacement.Begin(); begun != ReplaceStatus::kOk) return begun;
  switch (WriteFileSynced(replacement.WritePath(), bytes)) {
    case WriteOutcome::kWritten:
      break;
    case WriteOutcome::kCannotCreate:
      return ReplaceStatus::kCannotCreate;
    case WriteOutcome::kWriteFailed:
      return ReplaceStatus::kWriteFailed;
  }
  return replacement.Commit() ? ReplaceStatus::kOk : ReplaceStatus::kWriteFailed;
}

}  // namespace common
