// Where a pass takes its bytes from and where it puts them: a working file, or another pass
// in memory. The passes of one dictionary run are chained in memory, each asking the one
// before it for the next block, so the text streams through all of them in one go.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/encoding/text_file.h"

namespace engine {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Appends bytes to `out`: up to max_bytes, or what a pass made of one chunk when `out` is
  // empty. False when nothing was left.
  virtual bool ReadBlock(std::string& out, std::size_t max_bytes) = 0;
  // True when no byte is left.
  virtual bool AtEnd() = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void Write(std::string_view bytes) = 0;
};

// A working file read with CR LF as LF; a read error ends the input (the reader remembers it).
class FileSource final : public ByteSource {
 public:
  explicit FileSource(common::TextReader& in) : in_(in) {}
  bool ReadBlock(std::string& out, std::size_t max_bytes) override {
    return in_.ReadBlock(out, max_bytes);
  }
  bool AtEnd() override { return in_.Peek() == common::kEof; }

 private:
  common::TextReader& in_;
};

// A working file written with LF as CR LF; the writer remembers a failed write.
class FileSink final : public ByteSink {
 public:
  explicit FileSink(common::TextWriter& out) : out_(out) {}
  void Write(std::string_view bytes) override { out_.Write(bytes); }

 private:
  common::TextWriter& out_;
};

}  // namespace engine
