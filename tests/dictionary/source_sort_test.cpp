// Sorting a source and finding neighbouring lines with the same first field.
#include "dictionary/source_sort.h"

#include <gtest/gtest.h>

#include "dictionary/duplicate_check.h"
#include "tests/dictionary/dictionary_fixtures.h"

namespace dictionary {
namespace {

std::string Sorted(std::string_view utf8) {
  SortResult result = SortSourceLines(Sjis(utf8));
  return result.text.value_or("<failed>");
}

TEST(SourceSort, EqualLinesAndEmptyLinesLeaveOneLine) {
  EXPECT_TRUE(BytesEqual(Sjis("漢字,かん*じ\n"), Sorted("漢字,かん*じ\n\n漢字,かん*じ\n")));
}

TEST(SourceSort, LetterCaseIsIgnoredAndTheFirstLineStays) {
  EXPECT_EQ("ABC\n", Sorted("ABC\nabc"));
  EXPECT_EQ(Sjis("ａｂｃ\n"), Sorted("ａｂｃ\nＡＢＣ\n"));
}

TEST(SourceSort, KanaTypeAndWidthAreNotMerged) {
  EXPECT_EQ(Sjis("漢字,かん*じ\n漢字,カン*ジ\n"), Sorted("漢字,カン*ジ\n漢字,かん*じ\n"));
  EXPECT_EQ(Sjis("abc\nａｂｃ\n"), Sorted("ａｂｃ\nabc\n"));
}

TEST(SourceSort, FollowsJapaneseCollation) {
  // Latin letters, then kana in 五十音 order (not code order: ア is 0x8341 but sorts with あ),
  // then kanji.
  EXPECT_EQ(Sjis("b\nあ\nア\nか\nが\n漢\n"), Sorted("漢\nが\nか\nア\nあ\nb\n"));
}

TEST(SourceSort, UndecodableLineIsNamed) {
  SortResult result = SortSourceLines("a\n\x82\nb\n");  // a lead byte with no trail byte
  EXPECT_FALSE(result.text);
  EXPECT_EQ(2, result.bad_line);
  EXPECT_NE(std::string::npos, SortFailedMessage(result).text.find("2 行目"));
}

TEST(DuplicateCheck, SortedEntriesWithDifferentReadingsAreReported) {
  ASSERT_EQ(Sjis("漢字,から*じ\n漢字,かん*じ\n"), Sorted("漢字,かん*じ\n漢字,から*じ\n"));
  auto found = FindDuplicateFirstField(Sjis("漢字,から*じ\r\n漢字,かん*じ\r\n"));
  ASSERT_TRUE(found);
  EXPECT_EQ(18u, found->byte_position);  // the second comma, CR counted
  EXPECT_EQ(1, found->previous_line);
  EXPECT_EQ(2, found->line);
  EXPECT_EQ(2, found->characters);
  EXPECT_EQ(Sjis("漢字"), found->field);
  common::Message message = DuplicateFoundMessage(*found);
  EXPECT_EQ("発見!!", message.title);
  EXPECT_EQ("18 ﾊﾞｲﾄ目 :: 1 行 及び 2 行 :: 2 字 \n\n重複文字＝[ 漢字 ]", message.text);
}

TEST(DuplicateCheck, NoDuplicateIsSaidSo) {
  EXPECT_FALSE(FindDuplicateFirstField(Sjis("漢字,かん*じ\r\n漢,かん\r\n")));
  common::Message message = NoDuplicateMessage();
  EXPECT_EQ("重複チェック完了", message.title);
  EXPECT_EQ("第１ﾌｨ-ﾙﾄﾞの重複行は\n(もう)ありません。\n\nお疲れ様！", message.text);
}

TEST(DuplicateCheck, OnlyNeighboursAreCompared) {
  EXPECT_FALSE(FindDuplicateFirstField(Sjis("漢字,a\r\n感じ,b\r\n漢字,c\r\n")));
  EXPECT_FALSE(FindDuplicateFirstField(Sjis("漢字,a\r\n\r\n漢字,b\r\n")));
}

TEST(DuplicateCheck, LineWithoutCommaIsComparedWhole) {
  auto found = FindDuplicateFirstField(Sjis("漢字\r\n漢字,かん*じ\r\n"));
  ASSERT_TRUE(found);
  EXPECT_EQ(10u, found->byte_position);
  EXPECT_FALSE(FindDuplicateFirstField(Sjis("漢字一\r\n漢字,かん*じ\r\n")));
}

TEST(DuplicateCheck, LastLineWithoutLineBreakIsChecked) {
  auto found = FindDuplicateFirstField(Sjis("漢字\r\n漢字"));
  ASSERT_TRUE(found);
  EXPECT_EQ(10u, found->byte_position);  // the end of the text stands for the line feed
  EXPECT_EQ(2, found->line);
}

TEST(DuplicateCheck, FieldsLongerThan128BytesAreComparedWhole) {
  std::string head(150, 'x');
  EXPECT_FALSE(FindDuplicateFirstField(head + "a,1\r\n" + head + "b,2\r\n"));
  std::string kanji;
  for (int i = 0; i < 100; ++i) kanji += Sjis("漢");
  auto found = FindDuplicateFirstField(kanji + ",1\r\n" + kanji + ",2\r\n");
  ASSERT_TRUE(found);
  EXPECT_EQ(100, found->characters);
  EXPECT_EQ(kanji, found->field);
}

}  // namespace
}  // namespace dictionary
