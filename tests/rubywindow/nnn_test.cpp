#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/settings/settings.h"
#include "common/encoding/text_source.h"
#include "rubywindow/nnn_writer.h"
#include "rubywindow/template_list.h"
#include "rubywindow/template_table.h"
#include "tests/rubywindow/rubywindow_fixtures.h"

namespace rubywindow {
namespace {

std::string Nnn(std::string_view sjis, std::string_view template_utf8) {
  NnnOptions options{Sjis(template_utf8), Sjis("ＭＳ明朝"), 8};
  common::StringTextSource source(sjis);
  std::string out;
  OutputSink sink(out);
  RenderNnn(source, options, sink);
  return out;
}

TEST(Nnn, HtmlHeadIsCopiedAndGroupsConvertedGolden) {
  ScratchDir dir;
  fs::copy_file(TestData("rubywindow/nnn_html/story.srb"), dir / "story.srb");
  auto source = common::FileTextSource::Open(dir / "story.srb");
  RecordingMessenger messenger;
  NnnOptions options = NnnOptionsOf(common::Settings());
  EXPECT_TRUE(common::IsOk(WriteNnn(dir / "story.srb", *source, options, messenger)));
  EXPECT_TRUE(BytesEqual(ReadFile(TestData("rubywindow/nnn_html/expected.nnn")),
                         ReadFile(dir / "story.nnn")));
}

TEST(Nnn, TemplatesOfTheDialog) {
  EXPECT_EQ(Nnn(Sjis("{花/はな}が咲く"), "〒****1****4〒"), Sjis("〒花はな〒が咲く"));
  EXPECT_EQ(Nnn(Sjis("{漢字/かんじ}"), "<ruby>****1<rt>****4</rt></ruby>"),
            Sjis("<ruby>漢字<rt>かんじ</rt></ruby>"));
  EXPECT_EQ(Nnn(Sjis("{漢字/かんじ}"), "****1(****3)****6"), Sjis("漢字(2)3"));
  EXPECT_EQ(Nnn(Sjis("{人/ひと|にん}"), "****5 ****6 ****2"), "9 4 2");
  EXPECT_EQ(Nnn(Sjis("{本/ほん}"), "****7:****8"), Sjis("ＭＳ明朝:8"));
}

// Unknown and ninth markers are literal; a long group is written whole; an unclosed group ends
// at its line.
TEST(Nnn, GroupsOfEveryShapeAreConverted) {
  std::string base;
  for (int i = 0; i < 200; ++i) base += "本";
  struct Case {
    std::string text, template_text, nnn;
  };
  const Case cases[] = {
      {"{本/ほん}", "****9***1*****1", "****9***1*****1"},
      {"{本/ほん}", "****2****2****2****2****2****2****2****2****2", "22222222****2"},
      {"{" + base + "/ほん}", "****1****2", base + "400"},
      {"{本\n{木/き}", "[****1/****4]", "[本/]\n[木/き]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Nnn(Sjis(c.text), c.template_text), Sjis(c.nnn)) << c.template_text;
  }
}

TEST(Nnn, PreviewOfTheSampleGroup) {
  NnnOptions options = NnnOptionsOf(common::Settings());
  EXPECT_EQ(NnnPreview(options), Sjis("〒花はな〒"));
}

TEST(Nnn, MarkerWarningAsksToGoOn) {
  auto warning = NnnMarkerWarning(ParseTemplate("****1", kNnnMarkers));
  ASSERT_TRUE(warning);
  EXPECT_EQ(warning->title, "〓警告〓");
  EXPECT_EQ(warning->text, "ルビかな部<****4>がありません。\nこのまま実行していいですか。");
  EXPECT_FALSE(NnnMarkerWarning(ParseTemplate("****4****1", kNnnMarkers)));
}

TEST(Nnn, FileName) { EXPECT_EQ(NnnPath("/data/story.srb"), fs::path("/data/story.nnn")); }

TEST(TemplateTable, PrefixIsFoundOnCharacterBoundariesOnly) {
  // ァ is 0x83 0x40: its trail byte and "@@@1" must not make a marker.
  TemplateTable table = ParseTemplate("\x83\x40@@@1", kYmiMarkers);
  ASSERT_EQ(table.parts.size(), 1u);
  EXPECT_EQ(table.parts[0].text, "\x83\x40@@@1");
}

TEST(TemplateList, EditedDownToThreeLinesLeavesTheRestEmpty) {
  TemplateList list = ListFromEditorText("a\r\nb\nc\n");
  EXPECT_EQ(list[2], "c");
  for (std::size_t i = 3; i < list.size(); ++i) EXPECT_TRUE(list[i].empty());
}

TEST(TemplateList, EmptyLineEndsTheListAndTwentyAreTaken) {
  EXPECT_EQ(ListFromEditorText("a\n\nb")[1], "");
  std::string many;
  for (int i = 0; i < 25; ++i) {
    many += 't';
    many += std::to_string(i);
    many += '\n';
  }
  TemplateList list = ListFromEditorText(many);
  EXPECT_EQ(list[19], "t19");
  EXPECT_TRUE(IsListLineTaken(20));
  EXPECT_FALSE(IsListLineTaken(21));
}

TEST(TemplateList, EditorTextAndStoredListStopAtFirstEmptyEntry) {
  TemplateList items = {"a", "b", "", "d"};
  EXPECT_EQ(ListEditorText(items), "a\nb");
  EXPECT_TRUE(StoredList(items)[3].empty());
  EXPECT_EQ(InitialTemplate("", items), "a");
  EXPECT_EQ(InitialTemplate("x", items), "x");
}

}  // namespace
}  // namespace rubywindow
