#include "engine/sweep/clean_up.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "common/encoding/text_file.h"
#include "common/platform/working_files.h"
#include "engine/memory_stream.h"
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

// Hands the text out a few bytes at a time, so that the clean-up's chunks stay too short for a
// look at 64 bytes at once: it then goes a character at a time.
class TrickleSource final : public ByteSource {
 public:
  TrickleSource(std::string_view text, std::size_t step) : text_(text), step_(step) {}
  bool ReadBlock(std::string& out, std::size_t max_bytes) override {
    return text_.ReadBlock(out, std::min(max_bytes, step_));
  }
  bool AtEnd() override { return text_.AtEnd(); }

 private:
  StringSource text_;
  std::size_t step_;
};

// Long texts are looked at 64 bytes at a time; generated texts, dense with separators, groups,
// markers, trail bytes that look like lead bytes or like '/', and lead bytes left alone, come
// out as they do when read a few bytes at a time.
TEST(CleanUp, BlocksAtATimeGiveWhatCharactersAtATimeGive) {
  std::mt19937 random(5);
  auto pick = [&random](unsigned low, unsigned high) {
    return static_cast<char>(std::uniform_int_distribution<unsigned>(low, high)(random));
  };
  for (int round = 0; round < 400; ++round) {
    const bool markers = round % 3 != 0;
    const bool html_mode = round % 5 == 0;
    std::string text;
    if (html_mode) text = "<html>\n\x0F";
    std::size_t length = std::uniform_int_distribution<std::size_t>(1, 3000)(random);
    while (text.size() < length) {
      switch (std::uniform_int_distribution<int>(0, 9)(random)) {
        case 0:
          text += "/}{";
          break;
        case 1:
          text += pick(0, 1) ? "/" : "{";
          break;
        case 2:
          text += '}';
          break;
        case 3:
          text += {pick(0x88, 0x9F), pick(0x40, 0xFC)};  // kanji, trail often lead-like
          break;
        case 4:
          text += {pick(0x81, 0x84), '/'};  // a trail byte that is '/' (not well-formed)
          break;
        case 5:
          text += {'\x82', pick(0x9F, 0xF1)};  // hiragana
          break;
        case 6:
          text += markers ? pick(0x11, 0x12) : 'm';
          break;
        case 7:
          text += pick(0, 3) ? pick(0x20, 0x7E) : '\n';
          break;
        case 8:
          text += pick(0x81, 0x9F);  // a lead byte, whatever follows
          break;
        default:
          text += Sjis("{今/}{日/きょう}");
          break;
      }
    }
    StringSource whole(text);
    StringSink by_blocks;
    CleanUp(html_mode, whole, by_blocks);
    TrickleSource trickle(text, 1 + static_cast<std::size_t>(round % 13));
    StringSink by_characters;
    CleanUp(html_mode, trickle, by_characters);
    ASSERT_TRUE(BytesEqual(by_characters.Text(), by_blocks.Text())) << "round " << round;
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
