// File-system helpers on std::filesystem, without exceptions.
#include "common/platform/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <string>

#include "common/platform/file_replace.h"
#include "common/message_format.h"
#include "common/messages.h"

namespace common {

namespace fs = std::filesystem;

bool FileExists(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

int OpenRegularFile(const fs::path& path) {
  // O_NONBLOCK lets the open of a pipe return at once; it is cleared again for the reads.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info;
  int flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

std::FILE* OpenRegularFileStream(const fs::path& path) {
  int fd = OpenRegularFile(path);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "rb");
  if (!file) ::close(fd);
  return file;
}

bool IsSpecialFile(const fs::path& path) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  return !error && fs::exists(status) && !fs::is_regular_file(status);
}

bool MayReplace(const fs::path& path) {
  std::error_code error;
  fs::path file = fs::canonical(path, error);
  if (error || IsReadOnly(file)) return false;
  return ::access(file.c_str(), W_OK) == 0 && ::access(file.parent_path().c_str(), W_OK) == 0;
}

bool IsReadOnly(const fs::path& path) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (error) return false;
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

std::FILE* CreateFreshFile(const fs::path& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0 && (S_ISLNK(info.st_mode) || S_ISREG(info.st_mode))) {
    ::unlink(path.c_str());
  }
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (!file) ::close(fd);
  return file;
}

bool ClearReadOnly(const fs::path& path) {
  std::error_code error;
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, error);
  return !error;
}

bool RenameFile(const fs::path& from, const fs::path& to) {
  std::error_code error;
  fs::rename(from, to, error);
  return !error;
}

bool MoveFile(const fs::path& from, const fs::path& to) {
  if (MoveToFreeName(from, to)) return true;
  FileReplacement replacement(to);
  if (replacement.Begin() != ReplaceStatus::kOk) return false;
  std::error_code error;
  bool moved = false;
  if (replacement.WritePath() == replacement.Target()) {
    // A device or a pipe takes the content; it is not replaced.
    fs::copy_file(from, replacement.WritePath(), fs::copy_options::overwrite_existing, error);
  } else {
    moved = RenameFile(from, replacement.WritePath());
    // Another file system: copied next to the target first, so the target changes in one step.
    if (!moved) {
      fs::copy_file(from, replacement.WritePath(), fs::copy_options::overwrite_existing, error);
    }
  }
  if (!error && replacement.Commit()) {
    if (!moved) RemoveFile(from);
    return true;
  }
  if (moved) static_cast<void>(RenameFile(replacement.WritePath(), from));  // back where it was
  return false;
}

bool SameBytes(const fs::path& a, const fs::path& b) {
  constexpr std::size_t kCompareChunk = 1 << 16;
  std::error_code error;
  if (fs::file_size(a, error) != fs::file_size(b, error) || error) return false;
  std::ifstream first(a, std::ios::binary);
  std::ifstream second(b, std::ios::binary);
  std::string one(kCompareChunk, '\0');
  std::string two(kCompareChunk, '\0');
  while (first && second) {
    first.read(one.data(), static_cast<std::streamsize>(one.size()));
    second.read(two.data(), static_cast<std::streamsize>(two.size()));
    if (first.gcount() != second.gcount() ||
        one.compare(0, static_cast<std::size_t>(first.gcount()), two, 0,
                    static_cast<std::size_t>(second.gcount())) != 0) {
      return false;
    }
  }
  return first.eof() && second.eof();
}

bool RemoveFile(const fs::path& path) {
  std::error_code error;
  fs::remove(path, error);
  return !fs::exists(fs::symlink_status(path, error));
}

fs::path TemporarySibling(const fs::path& target) {
  return NewTemporaryFile(target.parent_path());
}

bool SyncAndClose(std::FILE* file) {
  bool ok = std::fflush(file) == 0;
  // A pipe or a terminal has nothing to sync (EINVAL); what was written has gone through.
  ok = (::fsync(::fileno(file)) == 0 || errno == EINVAL) && ok;
  return std::fclose(file) == 0 && ok;
}

WriteOutcome WriteFileSynced(const fs::path& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return WriteOutcome::kCannotCreate;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = SyncAndClose(file) && ok;
  return ok ? WriteOutcome::kWritten : WriteOutcome::kWriteFailed;
}

bool ReplaceFileContents(const fs::path& target, std::string_view bytes) {
  return ReplaceFile(target, bytes) == ReplaceStatus::kOk;
}

bool FolderIsFull(const fs::path& folder) {
  // Below this a working file of any size fails to be written, while a write that merely
  // outgrew a roomy disk has freed its space again by the time this is asked.
  constexpr unsigned long long kRoomNeeded = 1ULL << 20;
  struct statvfs info;
  if (::statvfs(folder.c_str(), &info) != 0) return false;
  return static_cast<unsigned long long>(info.f_bavail) * info.f_frsize < kRoomNeeded;
}

fs::path WithoutExtension(const fs::path& path) {
  std::string name = path.filename().string();
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return path;
  return path.parent_path() / name.substr(0, dot);
}

namespace {

// A name that no file system here takes: a part over 255 bytes, or a path over 4095.
bool NameTooLong(const std::filesystem::path& path) {
  if (path.native().size() >= 4096) return true;
  for (const std::filesystem::path& part : path) {
    if (part.native().size() > 255) return true;
  }
  return false;
}

}  // namespace

std::string WriteFailureCause(const std::filesystem::path& target, int error) {
  namespace msg = messages;
  std::error_code ignored;
  std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  if (error == ENAMETOOLONG || NameTooLong(target)) return std::string(msg::kCauseNameTooLong);
  if (!std::filesystem::is_directory(folder, ignored)) {
    return FormatMessage(msg::kCauseNoFolder, {folder.string()});
  }
  if (IsReadOnly(target)) return std::string(msg::kCauseReadOnlyFile);
  struct statvfs disk {};
  bool known = ::statvfs(folder.c_str(), &disk) == 0;
  if (error == EROFS || (known && (disk.f_flag & ST_RDONLY) != 0)) {
    return std::string(msg::kCauseReadOnlyDisk);
  }
  if (error == EACCES || error == EPERM || ::access(folder.c_str(), W_OK) != 0) {
    return std::string(msg::kCauseNoPermission);
  }
  if (error == ENOSPC || error == EDQUOT || (known && disk.f_bavail == 0)) {
    return std::string(msg::kCauseDiskFull);
  }
  if (error == EFBIG) return std::string(msg::kCauseFileTooLarge);
  if (error == EISDIR) return std::string(msg::kCauseIsFolder);
  if (error == EIO) return std::string(msg::kCauseDeviceError);
  return FormatMessage(msg::kCauseOther, {std::int64_t{error}});
}

}  // namespace common
