#include "common/encoding/sjis.h"

#include <gtest/gtest.h>

#include "common/encoding/cp932.h"
#include "common/encoding/sjis_reader.h"

namespace common {
namespace {

TEST(SjisReader, TrailByteBraceIsNotADelimiter) {
  SjisReader reader("\x81\x7B}");  // ＋ then '}'
  EXPECT_FALSE(reader.AtByte('{'));
  SjisChar plus = reader.Next();
  EXPECT_TRUE(plus.IsDoubleByte());
  EXPECT_EQ(plus.Code(), 0x817B);
  EXPECT_TRUE(reader.AtByte('}'));
}

TEST(SjisReader, LoneLeadByteAtEndStandsAlone) {
  SjisReader reader("a\x8A");
  reader.Next();
  SjisChar lone = reader.Next();
  EXPECT_FALSE(lone.IsDoubleByte());
  EXPECT_TRUE(reader.AtEnd());
}

TEST(CharacterClasses, RubyTargetsAreKanjiIterationMarksAndSmallKe) {
  EXPECT_TRUE(IsRubyTarget(0x8ABF));   // 漢
  EXPECT_TRUE(IsRubyTarget(0x8158));   // 々
  EXPECT_TRUE(IsRubyTarget(0x8396));   // ヶ
  EXPECT_TRUE(IsRubyTarget(0x8350));   // ケ
  EXPECT_TRUE(IsRubyTarget(0x839F));   // Α, first of the Greek letters
  EXPECT_FALSE(IsRubyTarget(0x8351));  // ゲ
  EXPECT_FALSE(IsRubyTarget(0x82A0));  // あ
  EXPECT_FALSE(IsRubyTarget(0x817B));  // ＋
}

TEST(CharacterClasses, HtmlModeNeedsExactUpperOrLowerTag) {
  EXPECT_TRUE(IsHtmlText("<HTML><BODY>"));
  EXPECT_TRUE(IsHtmlText("<html>"));
  EXPECT_FALSE(IsHtmlText("<Html>"));
  EXPECT_FALSE(IsHtmlText(" <html>"));
}

TEST(FindAligned, NeverMatchesStartingOnATrailByte) {
  // ア is 0x83 0x41; the needle "A" (0x41) must not be found at its trail byte.
  std::string text = "\x83\x41" "xA";
  EXPECT_EQ(FindAligned(text, "A"), 3u);
  EXPECT_EQ(FindAligned(text, "Z"), std::string_view::npos);
  EXPECT_EQ(FindAligned(text, ""), std::string_view::npos);
}

TEST(AlignedCut, DoesNotSplitADoubleByteCharacter) {
  std::string text = "ab\x8A\xBF";
  EXPECT_EQ(AlignedCut(text, 3), 2u);
  EXPECT_EQ(AlignedCut(text, 4), 4u);
  EXPECT_EQ(AlignedCut(text, 10), 4u);
}

TEST(Cp932, RoundTripsJapaneseAndRefusesWhatItCannotHold) {
  EXPECT_EQ(Sjis("漢字"), "\x8A\xBF\x8E\x9A");
  EXPECT_EQ(Cp932ToUtf8("\x8A\xBF\x8E\x9A").value(), "漢字");
  EXPECT_FALSE(Utf8ToCp932("😀").has_value());
  EXPECT_EQ(Cp932ToUtf8Lossy("a\x81"), "a\xEF\xBF\xBD");
}

TEST(Cp932, LossyConversionReplacesEachCharacterItLacksOnce) {
  EXPECT_EQ(Utf8ToCp932Lossy("/辞書/n.dic"), "/\x8E\xAB\x8F\x91/n.dic");
  EXPECT_EQ(Utf8ToCp932Lossy("a😀b"), "a?b");        // four bytes, one character
  EXPECT_EQ(Utf8ToCp932Lossy("a\xFF\xFEz"), "a??z");  // bytes that are not UTF-8
  EXPECT_EQ(Utf8ToCp932Lossy("a\xE6\xBC"), "a??");    // a sequence cut off at the end
}

}  // namespace
}  // namespace common
