// What every fuzz target needs: a messenger that says nothing and answers OK, a reader that
// takes small choices off the front of the input, and a check that aborts with a reason, so
// that libFuzzer keeps the input that broke a rule and not only one that crashed. Every target
// works in memory: a file per input would cost more than the code it exercises.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/messenger.h"

namespace fuzzing {

class QuietMessenger final : public common::Messenger {
 public:
  void Tell(const common::Message&) override {}
  common::Answer Ask(const common::Message&, common::Buttons buttons) override {
    return buttons == common::Buttons::kYesNo || buttons == common::Buttons::kYesNoCancel
               ? common::Answer::kYes
               : common::Answer::kOk;
  }
  void SetProgress(std::string_view) override {}
};

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}
  bool Bool() { return Byte() & 1; }
  unsigned Byte() {
    if (rest_.empty()) return 0;
    unsigned byte = static_cast<unsigned char>(rest_.front());
    rest_.remove_prefix(1);
    return byte;
  }
  int Int16() { return static_cast<std::int16_t>(Byte() | Byte() << 8); }
  // The bytes up to the next 0 byte (or the end), which is consumed.
  std::string_view Field() {
    std::size_t end = rest_.find('\0');
    std::string_view field = rest_.substr(0, end);
    rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
    return field;
  }
  std::string_view Rest() const { return rest_; }
  bool Empty() const { return rest_.empty(); }

 private:
  std::string_view rest_;
};

[[noreturn]] inline void Fail(const char* rule) {
  std::fprintf(stderr, "broken rule: %s\n", rule);
  std::abort();
}

inline void Require(bool holds, const char* rule) {
  if (!holds) Fail(rule);
}

}  // namespace fuzzing
