#include "common/encoding/text_source_writer.h"

#include <gtest/gtest.h>

#include <random>

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

// The rule itself, byte by byte: a CR goes before each LF that has none, and a final line break
// is added (a final lone CR taking its LF) when asked for.
std::string WithCrLf(std::string_view text, bool final_line_break) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  if (final_line_break && !text.empty() && text.back() != '\n') out += text.back() == '\r' ? "\n" : "\r\n";
  return out;
}

TEST(WriteTextSource, MixedLineEndsAcrossPiecesFollowTheRule) {
  // Line ends of every kind, thick around the places where the text is read in two pieces.
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    std::string text(65536 * 2 + 300, 'x');
    for (char& byte : text) {
      int what = static_cast<int>(random() % 16);
      if (what == 0) byte = '\r';
      if (what == 1) byte = '\n';
    }
    for (std::size_t edge : {65535u, 65536u, 131071u, 131072u}) {
      text[edge] = random() % 2 ? '\r' : '\n';
      text[edge + 1] = random() % 2 ? '\r' : '\n';
    }
    text.resize(text.size() - random() % 300);
    for (bool final_line_break : {true, false}) {
      ASSERT_TRUE(BytesEqual(WithCrLf(text, final_line_break), Saved(text, final_line_break)))
          << "round " << round << ", final line break " << final_line_break;
    }
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
