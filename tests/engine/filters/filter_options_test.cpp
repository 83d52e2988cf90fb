#include "engine/filters/filter_options.h"

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

TEST(FilterOptions, ImpossibleChoicesAreRefusedWithTheirMessage) {
  const std::string mark_deletion =
      "マーク文字列中に\n\n　半角カンマ　< , > \n　半角中括弧　< { > "
      "\n\nがあると、\n\n削除はできません。";
  struct Case {
    std::optional<Refusal> refusal;
    std::string title, text;
  };
  const Case cases[] = {
      {ValidateGradeRuby({.range_kind = 1, .lower_grade = 4, .upper_grade = 2}), "ご確認！",
       "右欄の学年は左欄の学年より上にして下さい。"},
      {ValidateLevelRuby({.range_kind = 1, .first_box = 4, .second_box = 4}), "ご注意！！",
       "級の範囲の設定が不正です。\n\n　下位級(易) ～ 上位級(難) \n\nの順に設定してください。"},
      {ValidateLineField(FieldOptions([](LineFieldOptions& o) {
         o.field_kind = 1;
         o.first_field = 3;
         o.second_field = 2;
       })),
       "ご注意！", "フィールドは 左欄＜右欄 となるように，数値をセットして下さい。"},
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

}  // namespace
}  // namespace engine
