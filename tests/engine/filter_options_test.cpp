#include "engine/filter_options.h"

#include <gtest/gtest.h>

#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

LineFieldOptions FieldOptions() {
  return {.mode = 1, .mark = Sjis("♀"), .separator = ",", .field_kind = 0, .first_field = 2};
}

LineFieldOptions FieldOptions(void (*change)(LineFieldOptions&)) {
  LineFieldOptions options = FieldOptions();
  change(options);
  return options;
}

void ExpectRefusal(const std::optional<Refusal>& refusal, std::string_view title,
                   std::string_view text) {
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->title, title);
  EXPECT_EQ(refusal->text, text);
}

TEST(GradeRubyOptions, UpperGradeBelowLowerIsRefused) {
  ExpectRefusal(ValidateGradeRuby({.range_kind = 1, .lower_grade = 4, .upper_grade = 2}),
                "ご確認！", "右欄の学年は左欄の学年より上にして下さい。");
}

TEST(LevelRubyOptions, SameLevelInBothBoxesIsRefused) {
  ExpectRefusal(
      ValidateLevelRuby({.range_kind = 1, .first_box = 4, .second_box = 4}), "ご注意！！",
      "級の範囲の設定が不正です。\n\n　下位級(易) ～ 上位級(難) \n\nの順に設定してください。");
}

TEST(LineFieldOptions, FieldRangeBackwardsIsRefused) {
  ExpectRefusal(ValidateLineField(FieldOptions([](LineFieldOptions& o) {
                  o.field_kind = 1;
                  o.first_field = 3;
                  o.second_field = 2;
                })),
                "ご注意！", "フィールドは 左欄＜右欄 となるように，数値をセットして下さい。");
}

TEST(FilterOptions, ImpossibleChoicesAreRefusedWithTheirMessage) {
  const std::string mark_deletion =
      "マーク文字列中に\n\n　半角カンマ　< , > \n　半角中括弧　< { > "
      "\n\nがあると、\n\n削除はできません。";
  struct Case {
    std::optional<Refusal> refusal;
    std::string title, text;
  };
  const Case cases[] = {
      {ValidateGradeRuby({.range_kind = 0, .lower_grade = 9}), "ご注意！",
       "設定 NENSITA の値 9 は範囲外です。\n\n設定を確認してください。"},
      {ValidateLevelRuby({.range_kind = 0, .first_box = 12, .second_box = 3}), "ご注意！！",
       "級の指定がありません。\n\n確認してください。"},
      {ValidateLineField(FieldOptions([](LineFieldOptions& o) {
         o.mode = 2;
         o.mark.clear();
       })),
       "ご注意！", "行頭マーク文字列を指定して下さい。"},
      {ValidateLineField(FieldOptions([](LineFieldOptions& o) {
         o.mode = 2;
         o.separator.clear();
       })),
       "ご注意！", "フィールド・セパレーターを指定して下さい。"},
      {ValidateLineField(
           FieldOptions([](LineFieldOptions& o) { o.separator = SeparatorEntry(Sjis("、")); })),
       "ご注意", "フィールド・セパレーターは\n半角１字です。\n（タブは \\t）"},
      {ValidateLineField(FieldOptions([](LineFieldOptions& o) {
         o.mode = 0;
         o.mark = "#,";
         o.delete_mark = true;
       })),
       "ご注意!!", mark_deletion},
      {CheckMarkDeletion("{", true), "ご注意!!", mark_deletion},
  };
  for (const Case& c : cases) ExpectRefusal(c.refusal, c.title, c.text);
}

TEST(FilterOptions, ChoicesThatMakeSenseAreTaken) {
  // Hidden boxes are not checked; lines only need no separator; ＋'s trail byte is no brace.
  EXPECT_FALSE(ValidateGradeRuby({.range_kind = 0, .lower_grade = 4, .upper_grade = 2}));
  EXPECT_FALSE(ValidateLevelRuby({.range_kind = 1, .first_box = 4, .second_box = 2}));
  EXPECT_FALSE(ValidateLineField(FieldOptions([](LineFieldOptions& o) {
    o.mode = 0;
    o.mark = "*";
    o.separator.clear();
  })));
  EXPECT_FALSE(CheckMarkDeletion("a,b", false));
  EXPECT_FALSE(CheckMarkDeletion("\x81\x7B", true));
}

TEST(GradeRubyOptions, BoundsFollowTheRangeKind) {
  auto bounds = [](int kind) {
    GradeBounds b = GradeBoundsOf({.range_kind = kind, .lower_grade = 3, .upper_grade = 5});
    return std::pair(b.low, b.high);
  };
  EXPECT_EQ(bounds(0), std::pair(3, 3));
  EXPECT_EQ(bounds(1), std::pair(3, 5));
  EXPECT_EQ(bounds(2), std::pair(3, 7));
  EXPECT_EQ(bounds(3), std::pair(1, 3));
  EXPECT_EQ(bounds(4), std::pair(1, 6));
}

TEST(FilterOptions, SettingsGiveTheOptionsAndKeepThem) {
  common::Settings settings;  // KANQSETMAXV 8, KANQSETMINV 3, CHECBOX3 10
  LevelRubyOptions levels = LevelRubyOptionsOf(settings);
  EXPECT_EQ(levels.first_box, 8);  // the easier end is kept in the maximum
  EXPECT_EQ(levels.second_box, 3);
  EXPECT_TRUE(levels.tag);
  EXPECT_FALSE(levels.header);
  GradeRubyOptions grades = GradeRubyOptionsOf(settings);
  grades.tag = true;
  grades.lower_grade = 2;
  StoreGradeRubyOptions(grades, settings);
  EXPECT_EQ(settings.grade_add_flag, 1);
  EXPECT_EQ(settings.grade_low, 2);
}

TEST(LevelRubyOptions, SelectionFollowsTheRangeKind) {
  LevelSelection range = LevelSelectionOf({.range_kind = 1, .first_box = 4, .second_box = 2});
  LevelSelection above = LevelSelectionOf({.range_kind = 2, .first_box = 3});
  for (int index = 0; index < kLevelIndexes; ++index) {
    auto at = static_cast<std::size_t>(index);
    EXPECT_EQ(range[at], index >= 2 && index <= 4) << index;
    EXPECT_EQ(above[at], index <= 3 || index == 12) << index;  // with the outside ones
  }
  LevelSelection easier = LevelSelectionOf({.range_kind = 3, .first_box = 9});
  EXPECT_TRUE(easier[9] && easier[11]);
  EXPECT_FALSE(easier[8] || easier[12]);
}

TEST(LevelRubyOptions, BoxTextsAndTagNamesDifferOnlyForTenthLevel) {
  EXPECT_EQ(LevelBoxText(11), Sjis("１０級"));
  EXPECT_EQ(LevelTagName(11), Sjis("10級"));
  EXPECT_EQ(LevelTagName(3), Sjis("準２級"));
  EXPECT_EQ(LevelTagName(12), Sjis("級外"));
  EXPECT_EQ(LevelBoxText(12), "");
}

TEST(LineFieldOptions, BackslashTGivesTheTab) {
  EXPECT_EQ(SeparatorEntry("\\t"), "\t");
  EXPECT_EQ(SeparatorCode('\t'), "0x09");
  EXPECT_EQ(SeparatorEntry("\\x"), "\\");
  EXPECT_EQ(SeparatorEntry(",;"), ",");
  EXPECT_EQ(SeparatorEntry(""), "");
}

TEST(LineFieldOptions, BoundsFollowTheFieldKind) {
  LineFieldOptions options = FieldOptions();
  options.first_field = 3;
  options.second_field = 5;
  auto bounds = [&options](int kind) {
    options.field_kind = kind;
    FieldBounds b = FieldBoundsOf(options);
    return std::pair(b.low, b.high);
  };
  EXPECT_EQ(bounds(0), std::pair(3, 3));
  EXPECT_EQ(bounds(1), std::pair(3, 5));
  EXPECT_EQ(bounds(2), std::pair(3, 64));
  EXPECT_EQ(bounds(3), std::pair(1, 3));
}

}  // namespace
}  // namespace engine
