#include "engine/filter_options.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

namespace engine {
namespace {

using testing_support::Sjis;

void ExpectRefusal(const std::optional<Refusal>& refusal, std::string_view title,
                   std::string_view text) {
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->title, title);
  EXPECT_EQ(refusal->text, text);
}

TEST(GradeRubyOptions, UpperGradeBelowLowerIsRefused) {
  GradeRubyOptions options{.range_kind = 1, .lower_grade = 4, .upper_grade = 2};
  ExpectRefusal(ValidateGradeRuby(options), "ご確認！",
                "右欄の学年は左欄の学年より上にして下さい。");
  options.range_kind = 0;  // the upper box is hidden and not checked
  EXPECT_FALSE(ValidateGradeRuby(options));
}

TEST(GradeRubyOptions, GradeNoBoxCanShowIsRefusedNamingTheSetting) {
  GradeRubyOptions options{.range_kind = 0, .lower_grade = 9};
  ExpectRefusal(ValidateGradeRuby(options), "ご注意！",
                "設定 NENSITA の値 9 は範囲外です。\n\n設定を確認してください。");
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

TEST(GradeRubyOptions, SettingsRoundTrip) {
  common::Settings settings;
  GradeRubyOptions options = GradeRubyOptionsOf(settings);
  EXPECT_EQ(options.range_kind, 1);
  EXPECT_EQ(options.lower_grade, 3);
  EXPECT_EQ(options.upper_grade, 5);
  options.tag = true;
  options.lower_grade = 2;
  StoreGradeRubyOptions(options, settings);
  EXPECT_EQ(settings.grade_add_flag, 1);
  EXPECT_EQ(settings.grade_low, 2);
}

TEST(LevelRubyOptions, SameLevelInBothBoxesIsRefused) {
  LevelRubyOptions options{.range_kind = 1, .first_box = 4, .second_box = 4};
  ExpectRefusal(
      ValidateLevelRuby(options), "ご注意！！",
      "級の範囲の設定が不正です。\n\n　下位級(易) ～ 上位級(難) \n\nの順に設定してください。");
}

TEST(LevelRubyOptions, BoxWithoutSelectionIsRefused) {
  LevelRubyOptions options{.range_kind = 0, .first_box = 12, .second_box = 3};
  ExpectRefusal(ValidateLevelRuby(options), "ご注意！！",
                "級の指定がありません。\n\n確認してください。");
}

TEST(LevelRubyOptions, RangeSelectsFromTheHarderToTheEasierBox) {
  LevelRubyOptions options{.range_kind = 1, .first_box = 4, .second_box = 2};
  EXPECT_FALSE(ValidateLevelRuby(options));
  LevelSelection selected = LevelSelectionOf(options);
  for (int index = 0; index < kLevelIndexes; ++index) {
    EXPECT_EQ(selected[static_cast<std::size_t>(index)], index >= 2 && index <= 4) << index;
  }
}

TEST(LevelRubyOptions, AndAboveTakesEveryHarderLevelAndOutsideOnes) {
  LevelSelection selected = LevelSelectionOf({.range_kind = 2, .first_box = 3});
  for (int index = 0; index < kLevelIndexes; ++index) {
    EXPECT_EQ(selected[static_cast<std::size_t>(index)], index <= 3 || index == 12) << index;
  }
  LevelSelection easier = LevelSelectionOf({.range_kind = 3, .first_box = 9});
  EXPECT_TRUE(easier[9] && easier[11]);
  EXPECT_FALSE(easier[8] || easier[12]);
}

TEST(LevelRubyOptions, SettingsKeepTheEasierEndInTheMaximum) {
  common::Settings settings;  // KANQSETMAXV 8, KANQSETMINV 3, CHECBOX3 10
  LevelRubyOptions options = LevelRubyOptionsOf(settings);
  EXPECT_EQ(options.first_box, 8);
  EXPECT_EQ(options.second_box, 3);
  EXPECT_TRUE(options.tag);
  EXPECT_FALSE(options.header);
}

TEST(LevelRubyOptions, BoxTextsAndTagNamesDifferOnlyForTenthLevel) {
  EXPECT_EQ(LevelBoxText(11), Sjis("１０級"));
  EXPECT_EQ(LevelTagName(11), Sjis("10級"));
  EXPECT_EQ(LevelTagName(3), Sjis("準２級"));
  EXPECT_EQ(LevelTagName(12), Sjis("級外"));
  EXPECT_EQ(LevelBoxText(12), "");
}

LineFieldOptions FieldOptions() {
  return {.mode = 1, .mark = Sjis("♀"), .separator = ",", .field_kind = 0, .first_field = 2};
}

TEST(LineFieldOptions, FieldRangeBackwardsIsRefused) {
  LineFieldOptions options = FieldOptions();
  options.field_kind = 1;
  options.first_field = 3;
  options.second_field = 2;
  ExpectRefusal(ValidateLineField(options), "ご注意！",
                "フィールドは 左欄＜右欄 となるように，数値をセットして下さい。");
}

TEST(LineFieldOptions, MissingMarkAndSeparatorAreRefused) {
  LineFieldOptions options = FieldOptions();
  options.mode = 2;
  options.mark.clear();
  ExpectRefusal(ValidateLineField(options), "ご注意！", "行頭マーク文字列を指定して下さい。");
  options.mark = "*";
  options.separator.clear();
  ExpectRefusal(ValidateLineField(options), "ご注意！",
                "フィールド・セパレーターを指定して下さい。");
  options.mode = 0;  // lines only: no separator needed
  EXPECT_FALSE(ValidateLineField(options));
}

TEST(LineFieldOptions, DoubleByteSeparatorIsRefused) {
  LineFieldOptions options = FieldOptions();
  options.separator = SeparatorEntry(Sjis("、"));
  ExpectRefusal(ValidateLineField(options), "ご注意",
                "フィールド・セパレーターは\n半角１字です。\n（タブは \t）");
}

TEST(LineFieldOptions, MarkHoldingCommaOrBraceCannotBeDeleted) {
  const char* refusal =
      "マーク文字列中に\n\n　半角カンマ　< , > \n　半角中括弧　< { > "
      "\n\nがあると、\n\n削除はできません。";
  ExpectRefusal(CheckMarkDeletion("a,b", true), "ご注意!!", refusal);
  ExpectRefusal(CheckMarkDeletion("{", true), "ご注意!!", refusal);
  EXPECT_FALSE(CheckMarkDeletion("a,b", false));
  EXPECT_FALSE(CheckMarkDeletion("\x81\x7B", true));  // ＋: its trail byte is no brace
  LineFieldOptions options = FieldOptions();
  options.mode = 0;
  options.mark = "#,";
  options.delete_mark = true;
  ExpectRefusal(ValidateLineField(options), "ご注意!!", refusal);
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
