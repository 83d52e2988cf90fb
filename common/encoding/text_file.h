// Working files are text files: CR LF on disk, a single LF inside the passes. Line endings are
// converted here and nowhere else.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/encoding/text_conversion.h"

namespace common {

inline constexpr int kEof = -1;

// Buffered reader that turns CR LF into LF; a lone CR stays as it is.
class TextReader {
 public:
  TextReader() = default;
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;
  ~TextReader();

  [[nodiscard]] bool Open(const std::filesystem::path& path);
  // The file is written in `form` instead: what is written to the writer (Shift_JIS, CR LF
  // added) is converted on its way to the disk, so a file for the user needs no second pass.
  [[nodiscard]] bool Open(const std::filesystem::path& path, const UserEncoding& form);
  bool IsOpen() const { return file_ != nullptr; }

  // The next byte (0–255), or kEof at the end of the file or after a read error.
  int Get() {
    if (pos_ == end_ && !Refill()) return kEof;
    return static_cast<unsigned char>(buffer_[pos_++]);
  }
  int Peek() {
    if (pos_ == end_ && !Refill()) return kEof;
    return static_cast<unsigned char>(buffer_[pos_]);
  }
  // Reads like fgets with a buffer of max_bytes + 1: up to and including the next LF, but at
  // most max_bytes bytes. Returns false when nothing was left to read.
  bool ReadLine(std::string& line, std::size_t max_bytes);
  // Appends up to max_bytes bytes to `out`, whatever lines they hold. Returns false when
  // nothing was left to read.
  bool ReadBlock(std::string& out, std::size_t max_bytes);

  bool Failed() const { return failed_; }
  // false when the file could not be read or closed cleanly.
  bool Close();

 private:
  bool Refill();

  std::FILE* file_ = nullptr;
  std::vector<char> raw_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool carried_cr_ = false;
  bool failed_ = false;
};

// Buffered writer that turns LF into CR LF and remembers the first write error, so that a full
// disk is never taken for success.
class TextWriter {
 public:
  TextWriter() = default;
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;
  ~TextWriter();

  [[nodiscard]] bool Open(const std::filesystem::path& path);
  // The file is written in `form` instead: what is written to the writer (Shift_JIS, CR LF
  // added) is converted on its way to the disk, so a file for the user needs no second pass.
  [[nodiscard]] bool Open(const std::filesystem::path& path, const UserEncoding& form);
  // A report or a working file: made anew, never written through a link or into a file that
  // stands there (common::CreateFreshFile).
  [[nodiscard]] bool OpenFresh(const std::filesystem::path& path);
  bool IsOpen() const { return file_ != nullptr; }

  void Put(char byte) {
    if (byte == '\n') {
      if (end_ + 2 > buffer_.size()) Flush();
      buffer_[end_++] = '\r';
    } else if (end_ == buffer_.size()) {
      Flush();
    }
    buffer_[end_++] = byte;
  }
  void Write(std::string_view bytes) {
    // Most pieces are a word or a tag; a plain loop beats two library calls on those.
    if (bytes.size() > kShortPiece) {
      WriteLong(bytes);
      return;
    }
    if (end_ + 2 * bytes.size() > buffer_.size()) Flush();
    char* out = buffer_.data() + end_;
    for (char byte : bytes) {
      if (byte == '\n') *out++ = '\r';
      *out++ = byte;
    }
    end_ = static_cast<std::size_t>(out - buffer_.data());
  }

  // Bytes already in their on-disk form (CR LF), such as a part of another working file.
  void WriteRaw(std::string_view bytes);

  bool Failed() const { return failed_; }
  // false when any write, the flush or the close failed.
  [[nodiscard]] bool Close();
  // Close, having waited until the file is on the disk: for a file that is renamed over a good
  // one next.
  [[nodiscard]] bool CloseSynced();

 private:
  static constexpr std::size_t kShortPiece = 32;
  void WriteLong(std::string_view bytes);
  void Flush();
  // Hands on what a converting writer still holds back; before the file is closed.
  void FinishForm();
  bool PutOnDisk(std::string_view bytes);

  std::FILE* file_ = nullptr;
  std::unique_ptr<ShiftJisToUser> form_;  // null for the program's own form
  std::vector<char> buffer_;
  std::size_t end_ = 0;
  bool failed_ = false;
};

// Whole-file helpers for small files (reports, sources in tests). nullopt-free: `ok` says.
struct FileBytes {
  bool ok = false;
  std::string bytes;
};
FileBytes ReadBinaryFile(const std::filesystem::path& path);
FileBytes ReadTextFile(const std::filesystem::path& path);  // CR LF read as LF
[[nodiscard]] bool WriteBinaryFile(const std::filesystem::path& path, std::string_view bytes);
[[nodiscard]] bool WriteTextFile(const std::filesystem::path& path, std::string_view text);
// The same for a report, made anew as TextWriter::OpenFresh makes it.
[[nodiscard]] bool WriteFreshTextFile(const std::filesystem::path& path, std::string_view text);

}  // namespace common
