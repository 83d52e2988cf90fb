// One small entry per ruby file, named after a hash of the file's full path and holding the
// path itself (so that two paths of one hash never vouch for each other), the file's size and a
// hash of its bytes.
#include "jobs/written_record.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "common/platform/file_system.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

std::uint64_t HashOn(std::uint64_t hash, std::string_view bytes) {
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kFnvPrime;
  }
  return hash;
}

std::string Hex(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// The size and a hash of the file's bytes, one line; nothing when it cannot be read.
std::optional<std::string> Fingerprint(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::uint64_t hash = kFnvOffset;
  std::uintmax_t size = 0;
  std::string chunk(1 << 16, '\0');
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    auto got = static_cast<std::size_t>(in.gcount());
    hash = HashOn(hash, std::string_view(chunk).substr(0, got));
    size += got;
  }
  if (in.bad()) return std::nullopt;
  return std::to_string(size) + ' ' + Hex(hash);
}

fs::path FullPath(const fs::path& file) {
  std::error_code error;
  fs::path full = fs::weakly_canonical(fs::absolute(file, error), error);
  return error ? file : full;
}

}  // namespace

fs::path WrittenRecord::EntryOf(const fs::path& file) const {
  return folder_ / Hex(HashOn(kFnvOffset, FullPath(file).string()));
}

bool WrittenRecord::IsUntouched(const fs::path& file) const {
  if (folder_.empty()) return false;
  std::ifstream entry(EntryOf(file), std::ios::binary);
  std::string path;
  std::string print;
  if (!std::getline(entry, path) || !std::getline(entry, print)) return false;
  if (path != FullPath(file).string()) return false;
  std::optional<std::string> now = Fingerprint(file);
  return now && *now == print;
}

void WrittenRecord::Remember(const fs::path& file) const {
  if (folder_.empty()) return;
  std::optional<std::string> print = Fingerprint(file);
  std::error_code error;
  fs::create_directories(folder_, error);
  if (!print || error) return;
  static_cast<void>(
      common::ReplaceFileContents(EntryOf(file), FullPath(file).string() + '\n' + *print + '\n'));
}

}  // namespace jobs
