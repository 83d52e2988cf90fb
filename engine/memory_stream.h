// A ByteSource over text held in memory and a ByteSink that collects bytes in a string, so that
// a streaming step can also be called as a function from bytes to bytes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "engine/byte_stream.h"

namespace engine {

class StringSource final : public ByteSource {
 public:
  explicit StringSource(std::string_view text) : text_(text) {}
  bool ReadBlock(std::string& out, std::size_t max_bytes) override {
    if (text_.empty()) return false;
    std::size_t taken = std::min(max_bytes, text_.size());
    out.append(text_.substr(0, taken));
    text_.remove_prefix(taken);
    return true;
  }
  bool AtEnd() override { return text_.empty(); }

 private:
  std::string_view text_;
};

class StringSink final : public ByteSink {
 public:
  void Write(std::string_view bytes) override { text_.append(bytes); }
  std::string& Text() { return text_; }

 private:
  std::string text_;
};

// Forgets every byte: for a first reading that only counts.
class NullSink final : public ByteSink {
 public:
  void Write(std::string_view) override {}
};

}  // namespace engine
