#include "engine/clean_up.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_file.h"
#include "common/working_files.h"
#include "tests/support/test_files.h"

namespace engine {
namespace {

using testing_support::BytesEqual;
using testing_support::ScratchDir;
using testing_support::Sjis;

// Runs the clean-up step on `text` (LF line ends) in a fresh work folder.
std::string CleanedUp(std::string_view text, bool html_mode = false) {
  ScratchDir dir;
  common::WorkDir work(dir.Path());
  EXPECT_TRUE(common::WriteTextFile(work.File(common::kRunResult), text));
  EXPECT_EQ(RunCleanUp(work, html_mode), CleanUpStatus::kOk);
  return common::ReadTextFile(work.File(common::kCleanedUp)).bytes;
}

TEST(CleanUp, EmptySegmentsBecomeGroupRuby) {
  EXPECT_TRUE(BytesEqual(Sjis("{今日/きょう}は{明日香/あすか}\n"),
                         CleanedUp(Sjis("{今/}{日/きょう}は{明/}{日/}{香/あすか}\n"))));
}

TEST(CleanUp, AdjacentGroupsWithReadingsStayApart) {
  std::string text = Sjis("{漢/かん}{字/じ}\n");
  EXPECT_TRUE(BytesEqual(text, CleanedUp(text)));
}

TEST(CleanUp, AreaMarkersAreDropped) {
  EXPECT_TRUE(
      BytesEqual(Sjis("<HTML>漢字<BODY>{漢/かん}\n"),
                 CleanedUp("\x11" + Sjis("<HTML>漢字<BODY>") + "\x12" + Sjis("{漢/かん}\n"))));
}

TEST(CleanUp, MarkerRightAfterASlashIsDroppedToo) {
  EXPECT_TRUE(BytesEqual("a/b c/d", CleanedUp("a/\x11"
                                              "b c/d\x12")));
}

TEST(CleanUp, HtmlHeadIsKeptAndBodyMarkerDropped) {
  std::string head = "<html><body>";
  EXPECT_TRUE(BytesEqual(head + "a/b\n", CleanedUp(head + "\x0F" +
                                                       "a/\x11"
                                                       "b\n",
                                                   true)));
  EXPECT_TRUE(BytesEqual("<html>\n/}{\n", CleanedUp("<html>\n/}{\n", true)));
}

TEST(CleanUp, TrailByteSlashIsNoSeparator) {
  // A lead byte owns the byte after it, whatever it is.
  EXPECT_TRUE(BytesEqual("\x81/}{", CleanedUp("\x81/}{")));
}

TEST(CleanUp, CharacterAfterASeparatorKeepsItsTrailByte) {
  // 亜 is 0x88 0x9F; its trail byte looks like a lead byte and must not swallow the next '/'.
  EXPECT_TRUE(BytesEqual(Sjis("a/b亜{今日/きょう}"), CleanedUp(Sjis("a/b亜{今/}{日/きょう}"))));
}

TEST(CleanUp, EndOfInputAfterASeparatorKeepsWhatWasRead) {
  EXPECT_TRUE(BytesEqual("ab/", CleanedUp("ab/")));
  EXPECT_TRUE(BytesEqual("ab/}", CleanedUp("ab/}")));
  EXPECT_TRUE(BytesEqual("ab\x88", CleanedUp("ab\x88")));
}

TEST(CleanUp, JoinsAndMarkersAcrossChunkEndsAreHandledAlike) {
  std::string piece = Sjis("{今/}{日/きょう}\x11亜a");
  std::string expected = Sjis("{今日/きょう}亜a");
  for (std::size_t shift = 0; shift < piece.size(); ++shift) {
    std::string text(shift, 'x');
    std::string want = text;
    for (int i = 0; i < 2500; ++i) text += piece, want += expected;
    ASSERT_TRUE(BytesEqual(want, CleanedUp(text))) << "shift " << shift;
  }
}

TEST(CleanUp, MissingInputFails) {
  ScratchDir dir;
  EXPECT_EQ(RunCleanUp(common::WorkDir(dir.Path()), false), CleanUpStatus::kInputFailed);
}

TEST(CleanUp, UnwritableOutputFails) {
  ScratchDir dir;
  common::WorkDir work(dir.Path());
  ASSERT_TRUE(common::WriteTextFile(work.File(common::kRunResult), "a\n"));
  std::filesystem::create_directory(work.File(common::kCleanedUp));
  EXPECT_EQ(RunCleanUp(work, false), CleanUpStatus::kOutputFailed);
}

TEST(CleanUp, FullDiskFails) {
  ScratchDir dir;
  common::WorkDir work(dir.Path());
  ASSERT_TRUE(common::WriteTextFile(work.File(common::kRunResult), std::string(300000, 'a')));
  std::error_code error;
  std::filesystem::create_symlink("/dev/full", work.File(common::kCleanedUp), error);
  if (error || !std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(RunCleanUp(work, false), CleanUpStatus::kOutputFailed);
}

}  // namespace
}  // namespace engine
