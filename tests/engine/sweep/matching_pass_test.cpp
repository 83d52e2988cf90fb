#include "engine/sweep/matching_pass.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

// Most tests need the one word 漢字.
class MatchingPassTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteDictionary(dic_, {{"漢字", "かん*じ"}}); }

  ScratchDir dir_;
  std::filesystem::path dic_ = dir_ / "main.dic";
};

TEST_F(MatchingPassTest, ExistingGroupIsLeftAlone) {
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}字 {漢字/かんじ}\n"),
                         RunPassesOnText(dic_, Sjis("{漢/かん}字 {漢字/かんじ}\n"))));
}

TEST_F(MatchingPassTest, AreaIsCopiedByteForByte) {
  std::string area = "\x11" + Sjis("漢字 {x") + "\x12";
  EXPECT_TRUE(
      BytesEqual(area + Sjis("{漢/かん}{字/じ}\n"), RunPassesOnText(dic_, area + Sjis("漢字\n"))));
}

TEST_F(MatchingPassTest, HtmlHeadAndTagsAreCopied) {
  std::string head = Sjis("<html><title>漢字</title><body>") + "\x0F";
  EXPECT_TRUE(BytesEqual(
      head + Sjis("<a title=\"漢字\"><b><i>{漢/かん}{字/じ}</i></b></a>\n"),
      RunPassesOnText(dic_, head + Sjis("<a title=\"漢字\"><b><i>漢字</i></b></a>\n"), true)));
}

TEST_F(MatchingPassTest, TextEndingWithTwoNonWordKanjiKeepsThem) {
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}{字/じ}本山"), RunPassesOnText(dic_, Sjis("漢字本山"))));
}

// Texts in HTML mode begin their body at the marker 0x0F.
TEST_F(MatchingPassTest, TagsGroupsAndEndsOfInputAreKept) {
  const std::string body = "\x0F";
  struct Case {
    std::string text, expected;
    bool html_mode = false;
  };
  const Case cases[] = {
      // ± is 0x81 0x7D: were its trail byte taken for '}', 漢字 would be read outside the group.
      {Sjis("{±漢字/かんじ}漢字\n"), Sjis("{±漢字/かんじ}{漢/かん}{字/じ}\n")},
      // A tag inside a matched word goes ahead of it; after an unmatched character it follows.
      {body + Sjis("漢<b>字\n"), body + Sjis("<b>{漢/かん}{字/じ}\n"), true},
      {body + Sjis("本<b>漢字</b>本<i>山\n"), body + Sjis("本<b>{漢/かん}{字/じ}</b>本<i>山\n"),
       true},
      {Sjis("<html>漢字\n漢字\n"), Sjis("<html>漢字\n漢字\n"), true},  // no body marker
      {Sjis("漢字") + "\x88", Sjis("{漢/かん}{字/じ}") + "\x88"},  // a lone lead byte at the end
      // The end of the input inside a group, an area or a tag loses nothing.
      {Sjis("漢字{漢字/か"), Sjis("{漢/かん}{字/じ}{漢字/か")},
      {Sjis("漢字\x11漢字"), Sjis("{漢/かん}{字/じ}\x11漢字")},
      {body + Sjis("漢<b 漢字"), body + Sjis("漢<b 漢字"), true},
      {Sjis("漢字") + std::string(1, '\0') + Sjis("漢字\n"),
       Sjis("{漢/かん}{字/じ}")},  // NUL ends it
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(c.expected, RunPassesOnText(dic_, c.text, c.html_mode))) << c.text;
  }
}

TEST_F(MatchingPassTest, OverlongTagInsideAWordGivesUpTheWord) {
  std::string text = "\x0F" + Sjis("漢<") + std::string(70000, 'x') + Sjis(">字\n");
  EXPECT_TRUE(BytesEqual(text, RunPassOnText(dic_, 2, text, true)));
}

// Each pass places only words of its own length, longest first: 京都府 is placed before 東京 is
// asked, although 東京 stands to its left, and 東 then stands alone.
TEST(MatchingPass, LongerWordToTheRightOfAShorterOneWinsInItsPass) {
  ScratchDir dir;
  WriteDictionary(dir / "d.dic", {{"東京", "とう*きょう"}, {"京都府", "きょう*と*ふ"}});
  EXPECT_TRUE(BytesEqual(Sjis("東{京/きょう}{都/と}{府/ふ}\n"),
                         RunPassesOnText(dir / "d.dic", Sjis("東京都府\n"))));
  // Without the longer word the shorter one, leftmost first, takes its place.
  EXPECT_TRUE(BytesEqual(Sjis("{東/とう}{京/きょう}都\n"),
                         RunPassOnText(dir / "d.dic", 2, Sjis("東京都\n"))));
}

TEST(MatchingPass, WithoutOneCharacterWordsASingleKanjiStaysPlain) {
  ScratchDir dir;
  WriteDictionary(dir / "d.dic", {{"漢", "かん"}, {"漢字", "かん*じ"}});
  EXPECT_TRUE(BytesEqual(Sjis("漢 {漢/かん}{字/じ}\n"),
                         RunPassesOnText(dir / "d.dic", Sjis("漢 漢字\n"), false, 2)));
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん} {漢/かん}{字/じ}\n"),
                         RunPassesOnText(dir / "d.dic", Sjis("漢 漢字\n"), false, 1)));
}

// An empty segment gives an empty group; a reading short of segments leaves the rest plain.
TEST(MatchingPass, ReadingIsSplitAtItsSegments) {
  ScratchDir dir;
  WriteDictionary(dir / "d.dic", {{"今日", "*きょう"}, {"漢字", "かん"}, {"本", "ほん*もと"}});
  EXPECT_TRUE(BytesEqual(Sjis("{今/}{日/きょう}\n{漢/かん}字{本/ほん}\n"),
                         RunPassesOnText(dir / "d.dic", Sjis("今日\n漢字本\n"))));
}

// The pass reads its input in chunks of some tens of kilobytes. Lines of repeated pieces, each
// line shifted by one byte more, put every byte of a piece once at a chunk's end.
TEST_F(MatchingPassTest, WordsAndGroupsAcrossChunkEndsAreHandledAlike) {
  std::string piece = Sjis("本漢字a{±漢字/か}＋b");
  std::string expected = Sjis("本{漢/かん}{字/じ}a{±漢字/か}＋b");
  for (std::size_t shift = 0; shift < piece.size(); ++shift) {
    std::string pad(shift, 'x');
    std::string text = pad;
    std::string want = pad;
    for (int i = 0; i < 2000; ++i) text += piece, want += expected;
    ASSERT_TRUE(BytesEqual(want, RunPassesOnText(dic_, text))) << "shift " << shift;
  }
}

TEST_F(MatchingPassTest, TagsInWordsAcrossChunkEndsAreHandledAlike) {
  std::string piece = Sjis("漢<b>字<i>本山a");
  std::string expected = Sjis("<b>{漢/かん}{字/じ}<i>本山a");
  for (std::size_t shift = 0; shift < piece.size(); ++shift) {
    std::string text = "\x0F" + std::string(shift, 'x');
    std::string want = text;
    for (int i = 0; i < 3000; ++i) text += piece, want += expected;
    ASSERT_TRUE(BytesEqual(want, RunPassesOnText(dic_, text, true))) << "shift " << shift;
  }
}

}  // namespace
}  // namespace engine
