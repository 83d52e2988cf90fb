#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/text_source.h"
#include "rubywindow/to_hiragana.h"
#include "rubywindow/ymi_options.h"
#include "rubywindow/ymi_writer.h"
#include "tests/support/failing_source.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace rubywindow {
namespace {

namespace fs = std::filesystem;
using testing_support::Sjis;

YmiOptions FieldTwo() {
  YmiOptions options;
  options.first_field = 2;
  return options;
}

std::string Ymi(std::string_view sjis, const YmiOptions& options) {
  common::StringTextSource source(sjis);
  std::string out;
  OutputSink sink(out);
  RenderYmi(source, options, sink);
  return out;
}

std::string Hiragana(std::string_view sjis) {
  std::string out;
  AppendAsHiragana(sjis, out);
  return out;
}

TEST(Ymi, FieldsMatchGolden) {
  testing_support::ScratchDir dir;
  fs::copy_file(testing_support::TestData("rubywindow/ymi_fields/list.lrb"), dir / "list.lrb");
  auto source = common::FileTextSource::Open(dir / "list.lrb");
  testing_support::RecordingMessenger messenger;
  EXPECT_TRUE(common::IsOk(WriteYmi(dir / "list.lrb", *source, FieldTwo(), messenger)));
  EXPECT_TRUE(testing_support::BytesEqual(
      testing_support::ReadFile(testing_support::TestData("rubywindow/ymi_fields/expected.ymi")),
      testing_support::ReadFile(dir / "list.ymi")));
}

TEST(Ymi, PlainCharactersAppearInBothVersions) {
  YmiOptions options;
  options.template_text = "[@@@@2]";
  EXPECT_EQ(Ymi(Sjis("{漢/かん}{字/じ}テスト\n"), options), Sjis("[かんじテスト]\n"));
}

TEST(Ymi, TabMarksBecomeTabs) {
  YmiOptions options;
  options.template_text = "@@@@1^^t@@@@2";
  EXPECT_EQ(Ymi(Sjis("{本/ほん}\n"), options), Sjis("本\tほん\n"));
  EXPECT_EQ(ExpandTabMarks("\x83\x5E^t"), "\x83\x5E^t");  // タ's trail byte is no '^'
}

TEST(Ymi, UnknownMarkerIsLiteral) {
  YmiOptions options;
  options.template_text = "@@@@3";
  EXPECT_EQ(Ymi(Sjis("{本/ほん}\n"), options), "@@@@3\n");
}

TEST(Ymi, MarkersBeyondTheTableAreLiteral) {
  YmiOptions options;
  options.template_text = "@@@@1@@@@2@@@@1";
  EXPECT_EQ(Ymi(Sjis("{本/ほん}\n"), options), Sjis("本ほん@@@@1\n"));
}

TEST(Ymi, UnmarkedLinesAreCopiedAndTheMarkKeptOrRemoved) {
  YmiOptions options;
  options.part_mode = 1;
  options.line_head_mark = Sjis("♀");
  options.template_text = "<@@@@1>";
  std::string text = Sjis("{本/ほん},x\r\n♀{本/ほん},x\n");
  options.mark_handling = 1;
  EXPECT_EQ(Ymi(text, options), Sjis("{本/ほん},x\n<本>,x\n"));
  options.mark_handling = 0;
  EXPECT_EQ(Ymi(text, options), Sjis("{本/ほん},x\n<♀本>,x\n"));
}

TEST(Ymi, EmptyFieldAtLineEndGivesOnlyTheLineEnd) {
  EXPECT_EQ(Ymi("a,\nb,,c\n", FieldTwo()), "a,\nb,,,c\n");
}

TEST(Ymi, AlternativesGoToTheReading) {
  YmiOptions options;
  options.template_text = "@@@@2";
  EXPECT_EQ(Ymi(Sjis("{人/ひと|にん}\n"), options), Sjis("ひと|にん\n"));
}

TEST(Ymi, LastFieldWithoutLineFeedIsWritten) {
  EXPECT_EQ(Ymi(Sjis("a,{平和/へいわ}"), FieldTwo()), Sjis("a,平和,へいわ"));
}

TEST(Ymi, LongFieldIsWrittenWhole) {
  std::string base;
  std::string reading;
  for (int i = 0; i < 3000; ++i) {
    base += Sjis("{本/ほん}");
    reading += Sjis("ほん");
  }
  YmiOptions options;
  options.template_text = "@@@@2";
  EXPECT_EQ(Ymi(base + "\n", options), reading + "\n");
}

TEST(Ymi, ReadingToHiragana) {
  YmiOptions options;
  options.template_text = "@@@@2";
  options.to_hiragana = true;
  EXPECT_EQ(Ymi(Sjis("{本/ホン}\n"), options), Sjis("ほん\n"));
}

TEST(ToHiragana, FullWidthKatakana) {
  EXPECT_EQ(Hiragana(Sjis("ァミムンヵヶー漢")), Sjis("ぁみむんかけー漢"));
}

TEST(ToHiragana, HalfWidthKatakanaWithMarks) {
  EXPECT_EQ(Hiragana(Sjis("ｶﾞﾊﾞﾊﾟﾂﾞｦｧｯｰｱﾞｶﾟ")), Sjis("がばぱづをぁっーあか"));
  EXPECT_EQ(Hiragana("a-b"), Sjis("aーb"));
  EXPECT_EQ(Hiragana(Sjis("ﾞaﾟ")), Sjis("゛a゜"));
}

TEST(ToHiragana, VuRule) {
  EXPECT_EQ(Hiragana(Sjis("ヴァヴィヴェヴォヴヲヴ")), Sjis("ばびべぼぼぶ"));
  EXPECT_EQ(Hiragana(Sjis("ｳﾞｧｳﾞｲヴカ")), Sjis("ばびぶか"));
  EXPECT_EQ(Hiragana(Sjis("ヴう")), Sjis("ぶう"));
}

TEST(YmiOptions, RefusalsInTheDialogsOrder) {
  YmiOptions options;
  options.range_mode = 1;
  options.first_field = 3;
  options.last_field = 2;
  ASSERT_TRUE(RefusalOf(options));
  EXPECT_EQ(RefusalOf(options)->title, "ご確認！");
  options.last_field = 3;
  options.part_mode = 1;
  EXPECT_EQ(RefusalOf(options)->text, "行頭マーク文字列を指定して下さい。");
  options.line_head_mark = "a,b";
  options.separator_edit = "";
  EXPECT_EQ(RefusalOf(options)->text, "フィールド・セパレーターを指定して下さい。");
  options.separator_edit = Sjis("、");
  EXPECT_EQ(RefusalOf(options)->title, "ご注意");
  options.separator_edit = "\\t";
  EXPECT_FALSE(RefusalOf(options));
  options.mark_handling = 1;
  EXPECT_EQ(RefusalOf(options)->title, "ご確認!!");
}

TEST(YmiOptions, SeparatorEdit) {
  EXPECT_EQ(SeparatorOf("\\t"), '\t');
  EXPECT_EQ(SeparatorOf("\\x"), '\\');
  EXPECT_EQ(SeparatorOf(";;"), ';');
  EXPECT_FALSE(SeparatorOf(""));
}

TEST(YmiOptions, FieldRanges) {
  YmiOptions options;
  options.first_field = 3;
  options.last_field = 5;
  int expected[][2] = {{3, 3}, {3, 5}, {3, 64}, {1, 3}, {1, 3}};
  for (int mode = 0; mode <= 4; ++mode) {
    options.range_mode = mode;
    EXPECT_EQ(FieldRangeOf(options).low, expected[mode][0]);
    EXPECT_EQ(FieldRangeOf(options).high, expected[mode][1]);
  }
  options.range_mode = 5;
  EXPECT_FALSE(FieldRangeOf(options).Holds(1));
}

TEST(YmiOptions, PreviewOfTheSampleField) {
  EXPECT_EQ(YmiPreview("@@@@1^^t(@@@@2)"), Sjis("平和\t(へいわ)"));
}

TEST(YmiOptions, MarkerWarnings) {
  EXPECT_EQ(YmiMarkerWarning(ParseTemplate("x", kYmiMarkers))->text,
            "元ﾌｨｰﾙﾄﾞ部<@@@@1>,読み部<@@@@2>がありません。");
  EXPECT_EQ(YmiMarkerWarning(ParseTemplate("@@@@1", kYmiMarkers))->text,
            "読み部<@@@@2>がありません。");
  EXPECT_EQ(YmiMarkerWarning(ParseTemplate("@@@@2", kYmiMarkers))->title, "■警告■");
  EXPECT_FALSE(YmiMarkerWarning(ParseTemplate("@@@@2@@@@1", kYmiMarkers)));
}

TEST(Ymi, FileNameIsCutAtTheFirstDotOfTheName) {
  EXPECT_EQ(YmiPath("/data/list.lrb"), fs::path("/data/list.ymi"));
  EXPECT_EQ(YmiPath("/my.data/list.v2.lrb"), fs::path("/my.data/list.ymi"));
}

TEST(Ymi, MarkedLineAfterALongLineIsFound) {
  YmiOptions options;
  options.part_mode = 1;
  options.line_head_mark = Sjis("♀");
  options.template_text = "<@@@@1>";
  std::string long_line(70000, 'x');
  long_line += '\n';
  // The mark may lie across the reading blocks of the text.
  for (std::size_t pad = 0; pad < 3; ++pad) {
    std::string text = std::string(65535 - pad, 'y') + "\n" + Sjis("♀{本/ほん}\n");
    EXPECT_EQ(Ymi(text, options), std::string(65535 - pad, 'y') + "\n" + Sjis("<♀本>\n"));
  }
  EXPECT_EQ(Ymi(long_line + Sjis("♀{本/ほん}"), options), long_line + Sjis("<♀本>"));
}

TEST(Ymi, UnreadableTextLeavesTheOldFile) {
  testing_support::ScratchDir dir;
  testing_support::WriteFile(dir / "a.ymi", "old");
  testing_support::FailingSource source(std::string(200000, 'x'), 100000);
  testing_support::RecordingMessenger messenger;
  EXPECT_EQ(WriteYmi(dir / "a.lrb", source, YmiOptions(), messenger), OutputStatus::kReadFailed);
  EXPECT_EQ(testing_support::ReadFile(dir / "a.ymi"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_EQ(messenger.records[0].text, "文書を最後まで読み込めませんでした。\n" +
                                           (dir / "a.ymi").string() + " は書きませんでした。");
}

TEST(Ymi, UnwritableFolderIsReported) {
  testing_support::ScratchDir dir;
  common::StringTextSource source("x");
  testing_support::RecordingMessenger messenger;
  EXPECT_EQ(WriteYmi(dir / "no" / "a.lrb", source, YmiOptions(), messenger),
            OutputStatus::kCannotCreate);
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_EQ(messenger.records[0].text,
            (dir / "no" / "a.ymi").string() + " がオープンできませんでした。");
}

}  // namespace
}  // namespace rubywindow
