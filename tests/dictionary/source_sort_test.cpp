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

// Equal lines and empty lines leave one line; letter case is ignored (the first line stays) but
// kana type and width are not; the order is Japanese collation: Latin letters, then kana in
// 五十音 order (not code order: ア is 0x8341 but sorts with あ), then kanji.
TEST(SourceSort, SortsInJapaneseOrderKeepingOneOfEqualLines) {
  struct Case {
    std::string_view text, sorted;
  };
  const Case cases[] = {
      {"漢字,かん*じ\n\n漢字,かん*じ\n", "漢字,かん*じ\n"},
      {"ABC\nabc", "ABC\n"},
      {"ａｂｃ\nＡＢＣ\n", "ａｂｃ\n"},
      {"漢字,カン*ジ\n漢字,かん*じ\n", "漢字,かん*じ\n漢字,カン*ジ\n"},
      {"ａｂｃ\nabc\n", "abc\nａｂｃ\n"},
      {"漢\nが\nか\nア\nあ\nb\n", "b\nあ\nア\nか\nが\n漢\n"},
  };
  for (const Case& c : cases) EXPECT_TRUE(BytesEqual(Sjis(c.sorted), Sorted(c.text))) << c.text;
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

// Only neighbours are compared; a line without a comma is compared whole, and the end of the
// text stands for the line feed of a last line without one.
TEST(DuplicateCheck, NeighboursAreComparedByTheirFirstField) {
  struct Case {
    std::string_view text;
    std::size_t byte_position;  // 0: no duplicate
    int line;
  };
  const Case cases[] = {
      {"漢字,a\r\n感じ,b\r\n漢字,c\r\n", 0, 0},
      {"漢字,a\r\n\r\n漢字,b\r\n", 0, 0},
      {"漢字\r\n漢字,かん*じ\r\n", 10, 2},
      {"漢字一\r\n漢字,かん*じ\r\n", 0, 0},
      {"漢字\r\n漢字", 10, 2},
  };
  for (const Case& c : cases) {
    auto found = FindDuplicateFirstField(Sjis(c.text));
    ASSERT_EQ(found.has_value(), c.byte_position != 0) << c.text;
    if (!found) continue;
    EXPECT_EQ(found->byte_position, c.byte_position) << c.text;
    EXPECT_EQ(found->line, c.line) << c.text;
  }
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
