#include "common/text_source_writer.h"

#include <gtest/gtest.h>

#include "tests/support/failing_source.h"
#include "tests/support/test_files.h"

namespace common {
namespace {

using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::ScratchDir;

std::string Saved(std::string_view text, bool final_line_break) {
  ScratchDir dir;
  EXPECT_EQ(WriteTextSource(StringTextSource(text), dir / "t", final_line_break),
            TextSaveStatus::kOk);
  return ReadFile(dir / "t");
}

TEST(WriteTextSource, LineEndsBecomeOneCrLfEach) {
  struct Row {
    std::string_view text;
    bool final_line_break;
    std::string_view expected;
  };
  const Row rows[] = {
      {"a\nb\n", true, "a\r\nb\r\n"},
      {"a\r\nb\nc\r\n", true, "a\r\nb\r\nc\r\n"},
      {"a\r\nb\nc\r\n", false, "a\r\nb\r\nc\r\n"},
      {"a\rb\n", true, "a\rb\r\n"},  // a lone CR inside the text is no line end
      {"a\nb", true, "a\r\nb\r\n"},  // a text without a final line break
      {"a\nb", false, "a\r\nb"},
      {"a\r", true, "a\r\n"},  // a final lone CR is the line break
      {"a\r", false, "a\r"},
      {"", true, ""},
  };
  for (const Row& row : rows) {
    EXPECT_TRUE(BytesEqual(row.expected, Saved(row.text, row.final_line_break)))
        << row.text.size() << " bytes, final line break " << row.final_line_break;
  }
}

TEST(WriteTextSource, CrLfAcrossReadPiecesIsOneLineEnd) {
  for (std::size_t length : {65535u, 65536u, 131071u}) {
    std::string text(length, 'x');
    text += "\r\ny\r";
    std::string expected(length, 'x');
    expected += "\r\ny\r";
    EXPECT_TRUE(BytesEqual(expected + "\n", Saved(text, true))) << length;
    EXPECT_TRUE(BytesEqual(expected, Saved(text, false))) << length;
  }
}

TEST(WriteTextSource, ReadFailureIsToldFromWriteFailure) {
  ScratchDir dir;
  testing_support::FailingSource failing(std::string(100000, 'a'), 70000);
  EXPECT_EQ(WriteTextSource(failing, dir / "t", true), TextSaveStatus::kReadFailed);
  std::filesystem::create_directory(dir / "folder");
  EXPECT_EQ(WriteTextSource(StringTextSource("a\n"), dir / "folder", true),
            TextSaveStatus::kWriteFailed);
}

}  // namespace
}  // namespace common
