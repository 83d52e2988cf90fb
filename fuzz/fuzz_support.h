// What every fuzz target needs: a messenger that says nothing and answers OK, a reader that
// takes small choices off the front of the input, a scratch folder of the process for the
// readers that only take files, and a check that aborts with a reason, so that libFuzzer keeps
// the input that broke a rule and not only one that crashed.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// A folder of this process under the temporary folder, made once and emptied at exit.
inline const std::filesystem::path& ScratchDir() {
  static const std::filesystem::path dir = [] {
    std::filesystem::path made = std::filesystem::temp_directory_path() /
                                 ("mirukaze-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(made);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchDir(), ignored);
    });
    return made;
  }();
  return dir;
}

inline std::filesystem::path WriteScratch(std::string_view name, std::string_view bytes) {
  std::filesystem::path path = ScratchDir() / name;
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
  return path;
}

[[noreturn]] inline void Fail(const char* rule) {
  std::fprintf(stderr, "broken rule: %s\n", rule);
  std::abort();
}

inline void Require(bool holds, const char* rule) {
  if (!holds) Fail(rule);
}

}  // namespace fuzzing
