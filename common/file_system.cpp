// File-system helpers on std::filesystem, without exceptions.
#include "common/file_system.h"

#include <unistd.h>

#include <atomic>
#include <string>

namespace common {

namespace fs = std::filesystem;

bool FileExists(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

bool IsReadOnly(const fs::path& path) {
  std::error_code error;
  fs::file_status status = fs::status(path, error);
  if (error) return false;
  return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
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
  std::error_code error;
  fs::rename(from, to, error);
  if (!error) return true;
  if (error != std::errc::cross_device_link) return false;
  fs::path temporary = TemporarySibling(to);
  fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, error);
  if (error || !RenameFile(temporary, to)) {
    RemoveFile(temporary);
    return false;
  }
  RemoveFile(from);
  return true;
}

bool RemoveFile(const fs::path& path) {
  std::error_code error;
  fs::remove(path, error);
  return !fs::exists(fs::symlink_status(path, error));
}

fs::path TemporarySibling(const fs::path& target) {
  static std::atomic<unsigned> counter{0};
  std::string name = ".";
  name += target.filename().string();
  name += ".tmp";
  name += std::to_string(::getpid());
  name += '_';
  name += std::to_string(counter++);
  return target.parent_path() / name;
}

bool SyncAndClose(std::FILE* file) {
  bool ok = std::fflush(file) == 0;
  ok = ::fsync(::fileno(file)) == 0 && ok;
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
  fs::path temporary = TemporarySibling(target);
  if (WriteFileSynced(temporary, bytes) == WriteOutcome::kWritten &&
      RenameFile(temporary, target)) {
    return true;
  }
  RemoveFile(temporary);  // whether or not it goes, the failure is what the caller hears of
  return false;
}

fs::path WithoutExtension(const fs::path& path) {
  std::string name = path.filename().string();
  std::size_t dot = name.rfind('.');
  if (dot == std::string::npos) return path;
  return path.parent_path() / name.substr(0, dot);
}

}  // namespace common
