// Where a conversion writes its bytes: a string in memory, or a text file through a buffer that
// is handed on in large pieces. Line ends are written as LF; a file gets CR LF from TextWriter.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/encoding/text_file.h"
#include "common/encoding/text_source.h"

namespace rubywindow {

class OutputSink {
 public:
  explicit OutputSink(std::string& memory) : buffer_(memory) {}
  explicit OutputSink(common::TextWriter& file) : buffer_(own_), file_(&file) {
    own_.reserve(kFlushSize + kFlushSize / 4);
  }
  OutputSink(const OutputSink&) = delete;
  OutputSink& operator=(const OutputSink&) = delete;
  ~OutputSink() { Flush(); }

  void Put(char byte) {
    buffer_.push_back(byte);
    if (file_ && buffer_.size() >= kFlushSize) Flush();
  }
  void Write(std::string_view bytes) {
    buffer_.append(bytes);
    if (file_ && buffer_.size() >= kFlushSize) Flush();
  }
  // Hands what is buffered to the file; in memory there is nothing to do.
  void Flush() {
    if (!file_) return;
    file_->Write(buffer_);
    buffer_.clear();
  }

 private:
  static constexpr std::size_t kFlushSize = 1 << 16;

  std::string own_;
  std::string& buffer_;
  common::TextWriter* file_ = nullptr;
};

// Sequential bytes of a TextSource, read a block at a time, for the conversions that walk a
// text once from a start offset. A read error ends the text where it happens; the caller asks
// the source afterwards (TextSource::Failed).
class ByteInput {
 public:
  explicit ByteInput(const common::TextSource& source, std::size_t offset = 0)
      : source_(source), block_start_(offset) {}
  int Peek() {
    if (pos_ == block_.size() && !Refill()) return -1;
    return static_cast<unsigned char>(block_[pos_]);
  }
  int Get() {
    if (pos_ == block_.size() && !Refill()) return -1;
    return static_cast<unsigned char>(block_[pos_++]);
  }
  std::size_t Offset() const { return block_start_ + pos_; }
  // The bytes loaded from the current offset on: at least one unless the text has ended.
  std::string_view Loaded() {
    if (pos_ == block_.size() && !Refill()) return {};
    return std::string_view(block_).substr(pos_);
  }
  // Steps over `count` bytes of Loaded().
  void Skip(std::size_t count) { pos_ += count; }
  void Seek(std::size_t offset) {
    if (offset >= block_start_ && offset <= block_start_ + block_.size()) {
      pos_ = offset - block_start_;
    } else {
      block_start_ = offset;
      block_.clear();
      pos_ = 0;
    }
  }

 private:
  static constexpr std::size_t kBlockSize = 1 << 16;

  bool Refill() {
    block_start_ += block_.size();
    block_.resize(kBlockSize);
    block_.resize(source_.Read(block_start_, block_.data(), kBlockSize));
    pos_ = 0;
    return !block_.empty();
  }

  const common::TextSource& source_;
  std::size_t block_start_;
  std::string block_;
  std::size_t pos_ = 0;
};

}  // namespace rubywindow
