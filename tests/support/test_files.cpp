// Scratch folders and byte comparisons shared by the tests.
#include "tests/support/test_files.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "common/encoding/cp932.h"

namespace testing_support {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "mirukaze-test-XXXXXX").string();
  char* made = ::mkdtemp(pattern.data());
  if (!made) std::abort();
  path_ = made;
}

ScratchDir::~ScratchDir() {
  std::error_code error;
  // Read-only files made by tests must not keep the folder alive.
  for (auto& entry : std::filesystem::recursive_directory_iterator(path_, error)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
  }
  std::filesystem::remove_all(path_, error);
}

std::filesystem::path TestData(std::string_view relative) {
  return std::filesystem::path(MIRUKAZE_TEST_DATA_DIR) / relative;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

::testing::AssertionResult BytesEqual(std::string_view expected, std::string_view actual) {
  std::size_t common_length = std::min(expected.size(), actual.size());
  for (std::size_t i = 0; i < common_length; ++i) {
    if (expected[i] != actual[i]) {
      char where[128];
      std::snprintf(where, sizeof where, "first difference at offset 0x%zX: expected 0x%02X, got 0x%02X",
                    i, static_cast<unsigned char>(expected[i]), static_cast<unsigned char>(actual[i]));
      return ::testing::AssertionFailure() << where;
    }
  }
  if (expected.size() != actual.size()) {
    return ::testing::AssertionFailure() << "sizes differ: expected " << expected.size()
                                         << " bytes, got " << actual.size();
  }
  return ::testing::AssertionSuccess();
}

std::string Sjis(std::string_view utf8) { return common::Sjis(utf8); }

std::ptrdiff_t FilesIn(const std::filesystem::path& dir) {
  return std::distance(std::filesystem::directory_iterator(dir),
                       std::filesystem::directory_iterator());
}

}  // namespace testing_support
