#include "engine/markings/line_field_marking.h"

#include <gtest/gtest.h>

#include "common/encoding/text_file.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

// An expectation with the area markers written as ‹ (0x11) and › (0x12).
std::string Expect(std::string utf8) {
  for (std::size_t at; (at = utf8.find("‹")) != std::string::npos;) utf8.replace(at, 3, "\x11");
  for (std::size_t at; (at = utf8.find("›")) != std::string::npos;) utf8.replace(at, 3, "\x12");
  return Sjis(utf8);
}

LineFieldOptions LinesWithMark(bool delete_mark) {
  return {.mode = 0, .mark = Sjis("♀"), .delete_mark = delete_mark};
}

LineFieldOptions Fields(int kind, int first, int second = 1) {
  return {.mode = 1,
          .separator = ",",
          .field_kind = kind,
          .first_field = first,
          .second_field = second};
}

TEST(LineFieldMarking, OnlyLinesWithTheMarkAreOpen) {
  std::string text = Sjis("♀漢字\n漢字\n");
  EXPECT_TRUE(
      BytesEqual(Expect("♀漢字\n‹漢字\n›"), MarkLinesAndFields(text, LinesWithMark(false))));
}

TEST(LineFieldMarking, DeletedMarkLeavesOtherLinesWhole) {
  std::string text = Sjis("♀漢字\n漢♀字\n");
  EXPECT_TRUE(BytesEqual(Expect("漢字\n‹漢♀字\n›"), MarkLinesAndFields(text, LinesWithMark(true))));
}

TEST(LineFieldMarking, LineShorterThanTheMarkStaysClosed) {
  LineFieldOptions options{.mode = 0, .mark = "###"};
  EXPECT_TRUE(BytesEqual(Expect("‹#\n›‹\n›###a\n"), MarkLinesAndFields("#\n\n###a\n", options)));
}

TEST(LineFieldMarking, SingleFieldIsTheOnlyOpenOne) {
  std::string text = Sjis("漢字,読み,意味\n");
  EXPECT_TRUE(BytesEqual(Expect("‹漢字›,読み,‹意味\n›"), MarkLinesAndFields(text, Fields(0, 2))));
}

TEST(LineFieldMarking, EmptyFieldBetweenSeparatorsCounts) {
  EXPECT_TRUE(BytesEqual(Expect("‹a›,‹›,b\n"), MarkLinesAndFields("a,,b\n", Fields(0, 3))));
}

TEST(LineFieldMarking, FieldsAfterTheSixtyFourthStayClosed) {
  std::string text = "1";
  std::string expected = "‹1›";
  for (int field = 2; field <= 66; ++field) {
    text += "," + std::to_string(field);
    expected += "," + (field <= 64 ? std::to_string(field) : "‹" + std::to_string(field) + "›");
  }
  text += "\n";
  expected.insert(expected.size() - 3, "\n");  // the line feed belongs to the last field
  EXPECT_TRUE(BytesEqual(Expect(expected), MarkLinesAndFields(text, Fields(2, 2))));
}

TEST(LineFieldMarking, FieldsBeforeAndRanges) {
  EXPECT_TRUE(BytesEqual(Expect("a,b,‹c›,‹d\n›"), MarkLinesAndFields("a,b,c,d\n", Fields(3, 2))));
  EXPECT_TRUE(
      BytesEqual(Expect("‹a›,b,c,‹d\n›"), MarkLinesAndFields("a,b,c,d\n", Fields(1, 2, 3))));
}

TEST(LineFieldMarking, MarkThenFieldsOnTheRestOfTheLine) {
  LineFieldOptions options{
      .mode = 2, .mark = "*", .separator = "\t", .field_kind = 0, .first_field = 1};
  EXPECT_TRUE(
      BytesEqual(Expect("*a\t‹b\n›‹c\td\n›"), MarkLinesAndFields("*a\tb\nc\td\n", options)));
}

TEST(LineFieldMarking, SeparatorEqualToATrailByteDoesNotSplitTheKanji) {
  LineFieldOptions options{.mode = 1, .separator = "\\", .field_kind = 0, .first_field = 1};
  std::string text = Sjis("表\\図\n");  // 表 is 0x95 0x5C
  EXPECT_TRUE(BytesEqual(Expect("表\\‹図\n›"), MarkLinesAndFields(text, options)));
}

TEST(LineFieldMarking, LongLineIsOneLineWithOneMark) {
  std::string line = "*" + std::string(10000, 'a') + ",b\n";
  LineFieldOptions options{
      .mode = 2, .mark = "*", .separator = ",", .field_kind = 0, .first_field = 2};
  std::string expected = "*\x11" + std::string(10000, 'a') + "\x12,b\n";
  EXPECT_TRUE(BytesEqual(expected, MarkLinesAndFields(line, options)));
}

TEST(LineFieldMarking, LastLineWithoutLineFeedIsClosed) {
  EXPECT_TRUE(BytesEqual(Expect("‹a›,b"), MarkLinesAndFields("a,b", Fields(0, 2))));
}

TEST(LineFieldMarking, FileStepWritesTheSameBytes) {
  ScratchDir dir;
  common::WorkDir work(dir.Path());
  std::string text = "*" + std::string(9000, 'x') + ",y\nz,w\n";
  ASSERT_TRUE(common::WriteTextFile(work.File(common::kPreparedText), text));
  LineFieldOptions options{
      .mode = 2, .mark = "*", .separator = ",", .field_kind = 0, .first_field = 2};
  EXPECT_EQ(RunLineFieldMarking(work, options), LineFieldStatus::kOk);
  EXPECT_TRUE(BytesEqual(MarkLinesAndFields(text, options),
                         common::ReadTextFile(work.File(common::kLineFieldMarked)).bytes));
}

TEST(LineFieldMarking, MissingInputAndBlockedOutputAreTheirStatuses) {
  ScratchDir dir;
  common::WorkDir work(dir.Path());
  LineFieldOptions options = LinesWithMark(false);
  EXPECT_EQ(RunLineFieldMarking(work, options), LineFieldStatus::kInputFailed);
  WriteFile(work.File(common::kPreparedText), "a\r\n");
  std::filesystem::create_directory(work.File(common::kLineFieldMarked));
  EXPECT_EQ(RunLineFieldMarking(work, options), LineFieldStatus::kOutputFailed);
}

}  // namespace
}  // namespace engine
