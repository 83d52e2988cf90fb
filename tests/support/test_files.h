// Scratch folders and byte-exact comparisons for tests.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace testing_support {

// A fresh empty folder under the system's temporary folder, removed when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// The folder of golden files and other test inputs.
std::filesystem::path TestData(std::string_view relative);

std::string ReadFile(const std::filesystem::path& path);  // raw bytes; empty if missing
void WriteFile(const std::filesystem::path& path, std::string_view bytes);
// How many entries `dir` holds: a step that leaves no temporary file behind keeps it unchanged.
std::ptrdiff_t FilesIn(const std::filesystem::path& dir);

// Exact comparison that reports the first differing offset in hex.
::testing::AssertionResult BytesEqual(std::string_view expected, std::string_view actual);

// UTF-8 literal to Shift_JIS, for readable test inputs.
std::string Sjis(std::string_view utf8);

}  // namespace testing_support
