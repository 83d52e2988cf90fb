#include "engine/clean_up.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/text_file.h"
#include "common/working_files.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

// Runs the clean-up step on `text` (LF line ends) in a fresh work folder.
std::string CleanedUp(std::string_view text, bool html_mode = false) {
  ScratchDir dir;
  common::WorkDir work(dir.Path());
  EXPECT_TRUE(common::WriteTextFile(work.File(common::kRunResult), text));
  EXPECT_EQ(RunCleanUp(work, html_mode), CleanUpStatus::kOk);
  return common::ReadTextFile(work.File(common::kCleanedUp)).bytes;
}

TEST(CleanUp, GroupsAreJoinedAndMarkersDropped) {
  const std::string head = "<html><body>";
  struct Case {
    std::string text, expected;
    bool html_mode = false;
  };
  const Case cases[] = {
      {Sjis("{今/}{日/きょう}は{明/}{日/}{香/あすか}\n"), Sjis("{今日/きょう}は{明日香/あすか}\n")},
      {Sjis("{漢/かん}{字/じ}\n"), Sjis("{漢/かん}{字/じ}\n")},  // groups with readings stay apart
      {"\x11" + Sjis("<HTML>漢字<BODY>") + "\x12" + Sjis("{漢/かん}\n"),
       Sjis("<HTML>漢字<BODY>{漢/かん}\n")},
      {"a/\x11"
       "b c/d\x12",
       "a/b c/d"},  // a marker right after a slash too
      {head + "\x0F" +
           "a/\x11"
           "b\n",
       head + "a/b\n", true},
      {"<html>\n/}{\n", "<html>\n/}{\n", true},
      {"\x81/}{", "\x81/}{"},  // a lead byte owns the byte after it, whatever it is
      // 亜 is 0x88 0x9F; its trail byte looks like a lead byte and must not swallow the next '/'.
      {Sjis("a/b亜{今/}{日/きょう}"), Sjis("a/b亜{今日/きょう}")},
      {"ab/", "ab/"},  // the end of the input after a separator keeps what was read
      {"ab/}", "ab/}"},
      {"ab\x88", "ab\x88"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(c.expected, CleanedUp(c.text, c.html_mode))) << c.text;
  }
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

TEST(CleanUp, MissingInputOrUnwritableOutputFails) {
  ScratchDir dir;
  common::WorkDir work(dir.Path());
  EXPECT_EQ(RunCleanUp(work, false), CleanUpStatus::kInputFailed);
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
