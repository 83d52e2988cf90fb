#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/text_source.h"
#include "rubywindow/to_hiragana.h"
#include "rubywindow/ymi_options.h"
#include "rubywindow/ymi_writer.h"
#include "tests/rubywindow/rubywindow_fixtures.h"

namespace rubywindow {
namespace {

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
  ScratchDir dir;
  fs::copy_file(TestData("rubywindow/ymi_fields/list.lrb"), dir / "list.lrb");
  auto source = common::FileTextSource::Open(dir / "list.lrb");
  RecordingMessenger messenger;
  EXPECT_TRUE(common::IsOk(WriteYmi(dir / "list.lrb", *source, FieldTwo(), messenger)));
  EXPECT_TRUE(BytesEqual(ReadFile(TestData("rubywindow/ymi_fields/expected.ymi")),
                         ReadFile(dir / "list.ymi")));
}

YmiOptions Template(std::string_view text, bool to_hiragana = false) {
  YmiOptions options;
  options.template_text = std::string(text);
  options.to_hiragana = to_hiragana;
  return options;
}

YmiOptions MarkedLines(int mark_handling) {
  YmiOptions options = Template("<@@@@1>");
  options.part_mode = 1;
  options.line_head_mark = Sjis("♀");
  options.mark_handling = mark_handling;
  return options;
}

TEST(Ymi, TabMarksBecomeTabs) {
  EXPECT_EQ(Ymi(Sjis("{本/ほん}\n"), Template("@@@@1^^t@@@@2")), Sjis("本\tほん\n"));
  EXPECT_EQ(ExpandTabMarks("\x83\x5E^t"), "\x83\x5E^t");  // タ's trail byte is no '^'
}

TEST(Ymi, UnmarkedLinesAreCopiedAndTheMarkKeptOrRemoved) {
  std::string text = Sjis("{本/ほん},x\r\n♀{本/ほん},x\n");
  EXPECT_EQ(Ymi(text, MarkedLines(1)), Sjis("{本/ほん},x\n<本>,x\n"));
  EXPECT_EQ(Ymi(text, MarkedLines(0)), Sjis("{本/ほん},x\n<♀本>,x\n"));
}

// Plain characters appear in both versions and alternatives in the reading; unknown markers and
// markers beyond the table are literal; an empty last field gives only the line end; the last
// field without a line feed and a long field are written whole.
TEST(Ymi, FieldsOfEveryShapeAreFormatted) {
  std::string long_base, long_reading;
  for (int i = 0; i < 3000; ++i) long_base += "{本/ほん}", long_reading += "ほん";
  struct Case {
    YmiOptions options;
    std::string text, ymi;
  };
  const Case cases[] = {
      {Template("[@@@@2]"), "{漢/かん}{字/じ}テスト\n", "[かんじテスト]\n"},
      {Template("@@@@2"), "{人/ひと|にん}\n", "ひと|にん\n"},
      {Template("@@@@3"), "{本/ほん}\n", "@@@@3\n"},
      {Template("@@@@1@@@@2@@@@1"), "{本/ほん}\n", "本ほん@@@@1\n"},
      {FieldTwo(), "a,\nb,,c\n", "a,\nb,,,c\n"},
      {FieldTwo(), "a,{平和/へいわ}", "a,平和,へいわ"},
      {Template("@@@@2"), long_base + "\n", long_reading + "\n"},
      {Template("@@@@2", true), "{本/ホン}\n", "ほん\n"},  // the reading to hiragana
  };
  for (const Case& c : cases) EXPECT_EQ(Ymi(Sjis(c.text), c.options), Sjis(c.ymi)) << c.text;
}

TEST(ToHiragana, KatakanaOfEitherWidthBecomesHiragana) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"ァミムンヵヶー漢", "ぁみむんかけー漢"},
      {"ｶﾞﾊﾞﾊﾟﾂﾞｦｧｯｰｱﾞｶﾟ", "がばぱづをぁっーあか"},
      {"a-b", "aーb"},
      {"ﾞaﾟ", "゛a゜"},
      {"ヴァヴィヴェヴォヴヲヴ", "ばびべぼぼぶ"},  // the ヴ rule
      {"ｳﾞｧｳﾞｲヴカ", "ばびぶか"},
      {"ヴう", "ぶう"},
  };
  for (const auto& [katakana, hiragana] : cases) {
    EXPECT_EQ(Hiragana(Sjis(katakana)), Sjis(hiragana)) << katakana;
  }
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
  YmiOptions options = MarkedLines(0);
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
  ScratchDir dir;
  WriteFile(dir / "a.ymi", "old");
  FailingSource source(std::string(200000, 'x'), 100000);
  RecordingMessenger messenger;
  EXPECT_EQ(WriteYmi(dir / "a.lrb", source, YmiOptions(), messenger), OutputStatus::kReadFailed);
  EXPECT_EQ(ReadFile(dir / "a.ymi"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
  ASSERT_TRUE(ShowedOnly(messenger, "",
                         "文書を最後まで読み込めませんでした。\n" + (dir / "a.ymi").string() +
                             " は書きませんでした。"));
}

// The text being read is never replaced by its conversion, whatever name leads to it.
TEST(Ymi, OutputThatIsTheInputIsRefused) {
  ScratchDir dir;
  WriteFile(dir / "a.ymi", Sjis("{漢/かん}\n"));
  WriteFile(dir / "b.lrb", Sjis("{字/じ}\n"));
  fs::create_hard_link(dir / "b.lrb", dir / "b.ymi");
  for (const char* name : {"a.ymi", "b.lrb"}) {
    std::string before = ReadFile(dir / name);
    std::unique_ptr<common::FileTextSource> source = common::FileTextSource::Open(dir / name);
    ASSERT_TRUE(source);
    RecordingMessenger messenger;
    EXPECT_EQ(WriteYmi(dir / name, *source, YmiOptions(), messenger), OutputStatus::kSameAsInput);
    EXPECT_EQ(ReadFile(dir / name), before);
    std::string shown = YmiPath(dir / name).string();
    ASSERT_TRUE(ShowedOnly(messenger, "",
                           shown + " は変換する文書そのものです。\n"
                                   "文書を上書きしないよう、何も書きませんでした。"));
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3);
}

TEST(Ymi, UnwritableFolderIsReported) {
  ScratchDir dir;
  common::StringTextSource source("x");
  RecordingMessenger messenger;
  EXPECT_EQ(WriteYmi(dir / "no" / "a.lrb", source, YmiOptions(), messenger),
            OutputStatus::kCannotCreate);
  EXPECT_TRUE(ShowedOnly(messenger, "",
                         "ファイル<" + (dir / "no" / "a.ymi").string() +
                             ">を書き込めませんでした。フォルダ<" + (dir / "no").string() +
                             ">がありません。"));
}

}  // namespace
}  // namespace rubywindow
