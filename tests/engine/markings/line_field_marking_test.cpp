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

// Sixty-six fields, of which only those after the sixty-fourth are open as the second and on.
std::pair<std::string, std::string> SixtySixFields() {
  std::string text = "1";
  std::string expected = "‹1›";
  for (int field = 2; field <= 66; ++field) {
    text += "," + std::to_string(field);
    expected += "," + (field <= 64 ? std::to_string(field) : "‹" + std::to_string(field) + "›");
  }
  text += "\n";
  expected.insert(expected.size() - 3, "\n");  // the line feed belongs to the last field
  return {text, expected};
}

TEST(LineFieldMarking, OnlyTheChosenLinesAndFieldsAreOpen) {
  auto [many_fields, many_fields_open] = SixtySixFields();
  const std::string long_line = "*" + std::string(10000, 'a') + ",b\n";
  const LineFieldOptions mark_then_tab{
      .mode = 2, .mark = "*", .separator = "\t", .field_kind = 0, .first_field = 1};
  const LineFieldOptions mark_then_comma{
      .mode = 2, .mark = "*", .separator = ",", .field_kind = 0, .first_field = 2};
  struct Case {
    const char* what;
    std::string text;  // bytes
    LineFieldOptions options;
    std::string expected;  // UTF-8 with the markers
  };
  const Case cases[] = {
      {"lines with the mark", Sjis("♀漢字\n漢字\n"), LinesWithMark(false), "♀漢字\n‹漢字\n›"},
      {"mark deleted, only at the start", Sjis("♀漢字\n漢♀字\n"), LinesWithMark(true),
       "漢字\n‹漢♀字\n›"},
      {"line shorter than the mark", "#\n\n###a\n", {.mode = 0, .mark = "###"},
       "‹#\n›‹\n›###a\n"},
      {"single field", Sjis("漢字,読み,意味\n"), Fields(0, 2), "‹漢字›,読み,‹意味\n›"},
      {"empty field counts", "a,,b\n", Fields(0, 3), "‹a›,‹›,b\n"},
      {"fields after the 64th", many_fields, Fields(2, 2), many_fields_open},
      {"fields from", "a,b,c,d\n", Fields(3, 2), "a,b,‹c›,‹d\n›"},
      {"fields in a range", "a,b,c,d\n", Fields(1, 2, 3), "‹a›,b,c,‹d\n›"},
      {"mark, then fields", "*a\tb\nc\td\n", mark_then_tab, "*a\t‹b\n›‹c\td\n›"},
      // 表 is 0x95 0x5C.
      {"separator equal to a trail byte", Sjis("表\\図\n"),
       {.mode = 1, .separator = "\\", .field_kind = 0, .first_field = 1}, "表\\‹図\n›"},
      {"long line, one mark", long_line, mark_then_comma,
       "*‹" + std::string(10000, 'a') + "›,b\n"},
      {"last line without line feed", "a,b", Fields(0, 2), "‹a›,b"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(Expect(c.expected), MarkLinesAndFields(c.text, c.options))) << c.what;
  }
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
