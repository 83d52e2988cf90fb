#include "engine/commands/prepared_text.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/encoding/text_source.h"
#include "tests/engine/engine_fixtures.h"
#include "tests/support/failing_source.h"

namespace engine {
namespace {

TEST(PreparedText, EveryLineEndsWithCrLf) {
  ScratchDir dir;
  common::StringTextSource source("a\r\nb\nc\r");
  ASSERT_EQ(WritePreparedText(source, dir / "tempo"), PreparedTextStatus::kOk);
  EXPECT_TRUE(BytesEqual("a\r\nb\r\nc\r\n", ReadFile(dir / "tempo")));
}

TEST(PreparedText, LineOfFirstNulIsCounted) {
  EXPECT_EQ(LineOfFirstNul(common::StringTextSource("abc\n")), 0);
  EXPECT_EQ(LineOfFirstNul(common::StringTextSource(std::string_view("a\nb\0c\n\0", 7))), 2);
  std::string far(100000, '\n');
  far += '\0';
  EXPECT_EQ(LineOfFirstNul(common::StringTextSource(far)), 100001);
}

TEST(PreparedText, SourceOrFileThatFailsIsNoSuccess) {
  ScratchDir dir;
  testing_support::FailingSource failing(std::string(100000, 'a'), 70000);
  EXPECT_EQ(WritePreparedText(failing, dir / "tempo"), PreparedTextStatus::kSourceFailed);
  std::filesystem::create_directory(dir / "folder");
  EXPECT_EQ(WritePreparedText(common::StringTextSource("a\n"), dir / "folder"),
            PreparedTextStatus::kWriteFailed);
}

}  // namespace
}  // namespace engine
