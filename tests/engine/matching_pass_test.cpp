#include "engine/matching_pass.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixtures.h"
#include "tests/support/test_files.h"

namespace engine {
namespace {

using engine_testing::RunPassesOnText;
using engine_testing::RunPassOnText;
using engine_testing::WriteDictionary;
using testing_support::BytesEqual;
using testing_support::ScratchDir;
using testing_support::Sjis;

// Most tests need the one word 漢字.
class MatchingPassTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteDictionary(dic_, {{"漢字", "かん*じ"}}); }
  std::string All(std::string_view utf8, bool html_mode = false) {
    return RunPassesOnText(dic_, Sjis(utf8), html_mode);
  }

  ScratchDir dir_;
  std::filesystem::path dic_ = dir_ / "main.dic";
};

TEST_F(MatchingPassTest, ExistingGroupIsLeftAlone) {
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}字 {漢字/かんじ}\n"), All("{漢/かん}字 {漢字/かんじ}\n")));
}

TEST_F(MatchingPassTest, TrailByteBraceDoesNotCloseAGroup) {
  // ± is 0x81 0x7D: were its trail byte taken for '}', 漢字 would be read outside the group.
  EXPECT_TRUE(BytesEqual(Sjis("{±漢字/かんじ}{漢/かん}{字/じ}\n"), All("{±漢字/かんじ}漢字\n")));
}

TEST_F(MatchingPassTest, AreaIsCopiedByteForByte) {
  std::string text = "\x11" + Sjis("漢字 {x") + "\x12" + Sjis("漢字\n");
  EXPECT_TRUE(BytesEqual("\x11" + Sjis("漢字 {x") + "\x12" + Sjis("{漢/かん}{字/じ}\n"),
                         RunPassesOnText(dic_, text)));
}

TEST_F(MatchingPassTest, HtmlHeadAndTagsAreCopied) {
  std::string text =
      Sjis("<html><title>漢字</title><body>") + "\x0F" + Sjis("<a title=\"漢字\">漢字</a>\n");
  std::string expected = Sjis("<html><title>漢字</title><body>") + "\x0F" +
                         Sjis("<a title=\"漢字\">{漢/かん}{字/じ}</a>\n");
  EXPECT_TRUE(BytesEqual(expected, RunPassesOnText(dic_, text, true)));
}

TEST_F(MatchingPassTest, HtmlTagsKeepTheirPlaceAroundAWord) {
  std::string body = "\x0F";
  EXPECT_TRUE(BytesEqual(body + Sjis("<b><i>{漢/かん}{字/じ}</i></b>\n"),
                         RunPassesOnText(dic_, body + Sjis("<b><i>漢字</i></b>\n"), true)));
}

TEST_F(MatchingPassTest, HtmlTagInsideAMatchedWordGoesAheadOfIt) {
  std::string body = "\x0F";
  EXPECT_TRUE(BytesEqual(body + Sjis("<b>{漢/かん}{字/じ}\n"),
                         RunPassesOnText(dic_, body + Sjis("漢<b>字\n"), true)));
}

TEST_F(MatchingPassTest, HtmlTagAfterAnUnmatchedCharacterFollowsIt) {
  std::string body = "\x0F";
  EXPECT_TRUE(BytesEqual(body + Sjis("本<b>{漢/かん}{字/じ}</b>本<i>山\n"),
                         RunPassesOnText(dic_, body + Sjis("本<b>漢字</b>本<i>山\n"), true)));
}

TEST_F(MatchingPassTest, HtmlTextWithoutBodyMarkerGetsNoRuby) {
  std::string text = Sjis("<html>漢字\n漢字\n");
  EXPECT_TRUE(BytesEqual(text, RunPassesOnText(dic_, text, true)));
}

TEST_F(MatchingPassTest, OverlongTagInsideAWordGivesUpTheWord) {
  std::string text = "\x0F" + Sjis("漢<") + std::string(70000, 'x') + Sjis(">字\n");
  EXPECT_TRUE(BytesEqual(text, RunPassOnText(dic_, 2, text, true)));
}

TEST_F(MatchingPassTest, TextEndingWithTwoNonWordKanjiKeepsThem) {
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}{字/じ}本山"), All("漢字本山")));
}

TEST(MatchingPass, WithoutOneCharacterWordsASingleKanjiStaysPlain) {
  ScratchDir dir;
  WriteDictionary(dir / "d.dic", {{"漢", "かん"}, {"漢字", "かん*じ"}});
  EXPECT_TRUE(BytesEqual(Sjis("漢 {漢/かん}{字/じ}\n"),
                         RunPassesOnText(dir / "d.dic", Sjis("漢 漢字\n"), false, 2)));
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん} {漢/かん}{字/じ}\n"),
                         RunPassesOnText(dir / "d.dic", Sjis("漢 漢字\n"), false, 1)));
}

TEST(MatchingPass, EmptySegmentGivesAnEmptyGroup) {
  ScratchDir dir;
  WriteDictionary(dir / "d.dic", {{"今日", "*きょう"}});
  EXPECT_TRUE(
      BytesEqual(Sjis("{今/}{日/きょう}\n"), RunPassesOnText(dir / "d.dic", Sjis("今日\n"))));
}

TEST(MatchingPass, ReadingShortOfSegmentsLeavesTheRestPlain) {
  ScratchDir dir;
  WriteDictionary(dir / "d.dic", {{"漢字", "かん"}, {"本", "ほん*もと"}});
  EXPECT_TRUE(
      BytesEqual(Sjis("{漢/かん}字{本/ほん}\n"), RunPassesOnText(dir / "d.dic", Sjis("漢字本\n"))));
}

TEST_F(MatchingPassTest, LoneLeadByteAtTheEndIsKept) {
  EXPECT_TRUE(
      BytesEqual(Sjis("{漢/かん}{字/じ}") + "\x88", RunPassesOnText(dic_, Sjis("漢字") + "\x88")));
}

TEST_F(MatchingPassTest, EndOfInputInsideAGroupAreaOrTagLosesNothing) {
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}{字/じ}{漢字/か"), All("漢字{漢字/か")));
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}{字/じ}\x11漢字"), All("漢字\x11漢字")));
  std::string body = "\x0F";
  EXPECT_TRUE(
      BytesEqual(body + Sjis("漢<b 漢字"), RunPassesOnText(dic_, body + Sjis("漢<b 漢字"), true)));
}

TEST_F(MatchingPassTest, NulByteEndsTheInput) {
  std::string text = Sjis("漢字") + std::string(1, '\0') + Sjis("漢字\n");
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}{字/じ}"), RunPassesOnText(dic_, text)));
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
