// Whether two names lead to one file: by device and inode with every link followed, so that
// another spelling of a path, a symbolic link or a hard link to a file is known as that file.
#pragma once

#include <filesystem>
#include <optional>

namespace common {

struct FileId {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  bool operator==(const FileId&) const = default;
};

// The file `path` leads to, links followed; nullopt when there is none (nothing there, or a
// dangling link).
std::optional<FileId> FileIdOf(const std::filesystem::path& path);

// Whether `a` and `b` lead to one existing file.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace common
