// A text source that breaks down part-way, as a file on a failing disk does.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "common/encoding/text_source.h"

namespace testing_support {

// Holds `text`, but every read past its first `readable` bytes fails; Failed() turns true at
// the first read that fails.
class FailingSource : public common::TextSource {
 public:
  FailingSource(std::string text, std::size_t readable)
      : text_(std::move(text)), readable_(std::min(readable, text_.size())) {}
  std::size_t Size() const override { return text_.size(); }
  std::size_t Read(std::size_t offset, char* buffer, std::size_t count) const override {
    if (offset >= readable_) {
      failed_ = true;
      return 0;
    }
    std::size_t n = std::min(count, readable_ - offset);
    std::memcpy(buffer, text_.data() + offset, n);
    return n;
  }
  bool Failed() const override { return failed_; }

 private:
  std::string text_;
  std::size_t readable_;
  mutable bool failed_ = false;
};

}  // namespace testing_support
