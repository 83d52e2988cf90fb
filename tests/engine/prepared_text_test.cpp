#include "engine/prepared_text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_source.h"
#include "tests/support/test_files.h"

namespace engine {
namespace {

using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::ScratchDir;

std::string Prepared(std::string_view text) {
  ScratchDir dir;
  common::StringTextSource source(text);
  EXPECT_EQ(WritePreparedText(source, dir / "tempo"), PreparedTextStatus::kOk);
  return ReadFile(dir / "tempo");
}

TEST(PreparedText, LineEndsBecomeCrLfOnDisk) {
  EXPECT_TRUE(BytesEqual("a\r\nb\r\n", Prepared("a\nb\n")));
  EXPECT_TRUE(BytesEqual("a\r\nb\r\n", Prepared("a\r\nb\r\n")));
  EXPECT_TRUE(BytesEqual("a\r\nb\r\nc\r\n", Prepared("a\r\nb\nc\r\n")));
}

TEST(PreparedText, TextWithoutFinalLineBreakGetsOne) {
  EXPECT_TRUE(BytesEqual("a\r\nb\r\n", Prepared("a\nb")));
}

TEST(PreparedText, LoneCarriageReturnIsKeptExceptAtTheEnd) {
  EXPECT_TRUE(BytesEqual("a\rb\r\n", Prepared("a\rb\n")));
  EXPECT_TRUE(BytesEqual("a\r\n", Prepared("a\r")));
}

TEST(PreparedText, CrLfAcrossReadPiecesIsOneLineEnd) {
  for (std::size_t length : {65535u, 65536u, 131071u}) {
    std::string text(length, 'x');
    text += "\r\ny\r";
    EXPECT_TRUE(BytesEqual(std::string(length, 'x') + "\r\ny\r\n", Prepared(text))) << length;
  }
}

TEST(PreparedText, LineOfFirstNulIsCounted) {
  EXPECT_EQ(LineOfFirstNul(common::StringTextSource("abc\n")), 0);
  EXPECT_EQ(LineOfFirstNul(common::StringTextSource(std::string_view("a\nb\0c\n\0", 7))), 2);
  std::string far(100000, '\n');
  far += '\0';
  EXPECT_EQ(LineOfFirstNul(common::StringTextSource(far)), 100001);
}

// A source that fails after its first bytes, as a file read from a failing disk would.
class FailingSource : public common::TextSource {
 public:
  std::size_t Size() const override { return 100000; }
  std::size_t Read(std::size_t offset, char* buffer, std::size_t count) const override {
    if (offset > 0) return 0;
    std::fill(buffer, buffer + count, 'a');
    return count;
  }
  bool Failed() const override { return true; }
};

TEST(PreparedText, SourceThatCannotBeReadIsNoSuccess) {
  ScratchDir dir;
  EXPECT_EQ(WritePreparedText(FailingSource(), dir / "tempo"), PreparedTextStatus::kSourceFailed);
}

TEST(PreparedText, FileThatCannotBeWrittenIsNoSuccess) {
  ScratchDir dir;
  std::filesystem::create_directory(dir / "tempo");
  EXPECT_EQ(WritePreparedText(common::StringTextSource("a\n"), dir / "tempo"),
            PreparedTextStatus::kWriteFailed);
}

}  // namespace
}  // namespace engine
