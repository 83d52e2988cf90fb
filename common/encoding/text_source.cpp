// In-memory and on-disk text sources.
#include "common/encoding/text_source.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "common/platform/file_system.h"
#include "common/encoding/sjis.h"

namespace common {
namespace {

constexpr std::size_t kWindow = 1 << 16;

}  // namespace

std::size_t StringTextSource::Read(std::size_t offset, char* buffer, std::size_t count) const {
  if (offset >= text_.size()) return 0;
  std::size_t n = std::min(count, text_.size() - offset);
  std::memcpy(buffer, text_.data() + offset, n);
  return n;
}

FileTextSource::~FileTextSource() { ::close(fd_); }

std::unique_ptr<FileTextSource> FileTextSource::Open(const std::filesystem::path& path) {
  int fd = OpenRegularFile(path);
  if (fd < 0) return nullptr;
  struct stat info;
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    return nullptr;
  }
  return std::unique_ptr<FileTextSource>(
      new FileTextSource(fd, static_cast<std::size_t>(info.st_size)));
}

std::size_t FileTextSource::Read(std::size_t offset, char* buffer, std::size_t count) const {
  std::size_t done = 0;
  while (done < count && offset + done < size_) {
    ssize_t n = ::pread(fd_, buffer + done, count - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {  // an error, or the file has shrunk since it was opened
      failed_ = true;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool FileTextSource::IsFile(const std::filesystem::path& path) const {
  struct stat mine;
  struct stat other;
  return ::fstat(fd_, &mine) == 0 && ::stat(path.c_str(), &other) == 0 &&
         mine.st_dev == other.st_dev && mine.st_ino == other.st_ino;
}

TextCursor::TextCursor(const TextSource& source, std::size_t offset)
    : source_(source), size_(source.Size()), offset_(offset) {}

bool TextCursor::Load() {
  window_start_ = offset_;
  // No larger than the text left: a short text is not given a whole window to clear.
  const std::size_t want = std::min(kWindow, size_ - window_start_);
  window_.resize(want);
  window_.resize(source_.Read(window_start_, window_.data(), want));
  if (!window_.empty()) return true;
  size_ = offset_;  // a read error: end the text here rather than loop
  return false;
}

std::size_t TextCursor::Find(std::string_view needle) {
  if (needle.empty()) return std::string_view::npos;
  // Search chunk by chunk; each chunk starts on a character boundary and overlaps the next by
  // needle.size() - 1 bytes so that no occurrence is cut in two.
  std::size_t start = offset_;
  std::string chunk;
  while (start < size_) {
    chunk.resize(std::min(kWindow + needle.size(), size_ - start));
    chunk.resize(source_.Read(start, chunk.data(), chunk.size()));
    if (chunk.empty()) return std::string_view::npos;
    std::size_t hit = FindAligned(chunk, needle);
    if (hit != std::string_view::npos) return start + hit;
    if (start + chunk.size() >= size_) break;
    // Continue from the last character boundary that leaves room for an overlapping match.
    std::size_t next = AlignedCut(chunk, chunk.size() - needle.size() + 1);
    if (next == 0) next = 1;
    start += next;
  }
  return std::string_view::npos;
}

}  // namespace common
