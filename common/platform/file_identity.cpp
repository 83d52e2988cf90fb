// File identity by stat(2).
#include "common/platform/file_identity.h"

#include <sys/stat.h>

namespace common {

std::optional<FileId> FileIdOf(const std::filesystem::path& path) {
  struct stat info;
  if (path.empty() || ::stat(path.c_str(), &info) != 0) return std::nullopt;
  return FileId{static_cast<unsigned long long>(info.st_dev),
                static_cast<unsigned long long>(info.st_ino)};
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  std::optional<FileId> first = FileIdOf(a);
  return first && first == FileIdOf(b);
}

}  // namespace common
