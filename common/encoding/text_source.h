// Random-access, read-only text: the document a ruby command starts from. The text of an
// editor is held in memory; a file given on the command line is read from disk piece by
// piece, so that a large text is never held whole.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace common {

class TextSource {
 public:
  virtual ~TextSource() = default;
  virtual std::size_t Size() const = 0;
  // Copies up to `count` bytes starting at `offset`; returns how many were copied (fewer only
  // at the end of the text or after a read error, see Failed()).
  virtual std::size_t Read(std::size_t offset, char* buffer, std::size_t count) const = 0;
  // Whether a read has failed, or has found the text shorter than its Size(): from then on the
  // text cannot be read whole. It stays so.
  virtual bool Failed() const { return false; }
  // Whether the text is read from the file `path` names, however it is named (a link, another
  // hard link): a writer must never replace the file it is reading.
  virtual bool IsFile(const std::filesystem::path& /*path*/) const { return false; }
};

class StringTextSource final : public TextSource {
 public:
  explicit StringTextSource(std::string_view text) : text_(text) {}
  std::size_t Size() const override { return text_.size(); }
  std::size_t Read(std::size_t offset, char* buffer, std::size_t count) const override;

 private:
  std::string_view text_;
};

class FileTextSource final : public TextSource {
 public:
  ~FileTextSource() override;
  // nullptr when the file cannot be opened or is not a regular file.
  static std::unique_ptr<FileTextSource> Open(const std::filesystem::path& path);
  std::size_t Size() const override { return size_; }
  std::size_t Read(std::size_t offset, char* buffer, std::size_t count) const override;
  bool Failed() const override { return failed_.load(std::memory_order_relaxed); }
  bool IsFile(const std::filesystem::path& path) const override;

 private:
  FileTextSource(int fd, std::size_t size) : fd_(fd), size_(size) {}
  int fd_;
  std::size_t size_;
  // Set by whichever reader meets the failure: the checks and the copy may read at once.
  mutable std::atomic<bool> failed_{false};
};

// Sequential byte access over a TextSource through a window of a few kilobytes.
class TextCursor {
 public:
  explicit TextCursor(const TextSource& source, std::size_t offset = 0);
  std::size_t Offset() const { return offset_; }
  bool AtEnd() const { return offset_ >= size_; }
  // The byte at the cursor, or -1 at the end. A read error ends the text where it happens (see
  // TextSource::Failed), so that no scan takes missing bytes for text.
  int Peek() {
    if (offset_ >= size_) return -1;
    if (offset_ < window_start_ || offset_ >= window_start_ + window_.size()) {
      if (!Load()) return -1;
    }
    return static_cast<unsigned char>(window_[offset_ - window_start_]);
  }
  int PeekAt(std::size_t offset) {
    std::size_t saved = offset_;
    offset_ = offset;
    int byte = Peek();
    offset_ = saved;
    return byte;
  }
  // The bytes loaded from the cursor on: at least one unless the text ends here. Scans that
  // step over most bytes read them here rather than one Peek at a time.
  std::string_view Ahead() {
    if (Peek() < 0) return {};
    return std::string_view(window_).substr(offset_ - window_start_);
  }
  void Advance(std::size_t count = 1) { offset_ += count; }
  void Seek(std::size_t offset) { offset_ = offset; }
  // Offset of the next occurrence of `needle` at or after the cursor that starts on a
  // character boundary (the cursor must stand on one), or npos. Does not move the cursor.
  std::size_t Find(std::string_view needle);

 private:
  bool Load();  // false when nothing could be read at the cursor

  const TextSource& source_;
  std::size_t size_;
  std::size_t offset_;
  std::size_t window_start_ = 0;
  std::string window_;
};

}  // namespace common
