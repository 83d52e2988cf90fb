#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/settings.h"
#include "common/text_source.h"
#include "rubywindow/html_page_settings.h"
#include "rubywindow/pass_through_page.h"
#include "rubywindow/ruby_page.h"
#include "tests/rubywindow/rubywindow_fixtures.h"

namespace rubywindow {
namespace {

HtmlPageSettings Initial() { return HtmlPageSettingsOf(common::Settings()); }

std::string Page(std::string_view sjis, const HtmlPageSettings& settings = Initial()) {
  common::StringTextSource source(sjis);
  std::string page;
  OutputSink out(page);
  RenderRubyPage(source, "a.srb", settings, out);
  return page;
}

std::string Body(std::string_view sjis, const HtmlPageSettings& settings = Initial()) {
  std::string page = Page(sjis, settings);
  std::size_t start = page.find("<BODY>\n") + 7;
  return page.substr(start, page.find("</BODY>") - start);
}

// Copies a golden case's input into a scratch folder and writes the page there.
std::string WrittenPage(std::string_view name, const HtmlPageSettings& settings,
                        const ScratchDir& dir) {
  fs::path document = dir / "a.srb";
  fs::copy_file(TestData(name) / "a.srb", document);
  auto source = common::FileTextSource::Open(document);
  RecordingMessenger messenger;
  EXPECT_TRUE(common::IsOk(WriteRubyPage(document, *source, settings, messenger)));
  EXPECT_TRUE(messenger.records.empty());
  return ReadFile(dir / "aRb.html");
}

TEST(RubyPage, DetailedAndPlainPagesMatchGolden) {
  HtmlPageSettings plain = Initial();
  plain.detailed = false;
  for (const auto& [name, settings] :
       {std::pair("detailed", Initial()), std::pair("plain", plain)}) {
    ScratchDir dir;
    std::string folder = "rubywindow/ruby_page_" + std::string(name);
    EXPECT_TRUE(BytesEqual(ReadFile(TestData(folder + "/expected.html")),
                           WrittenPage(folder, settings, dir)));
  }
}

// The initial alignment is in the golden pages; the others add a class and its rule.
TEST(RubyPage, OtherAlignmentWritesItsClassAndRule) {
  HtmlPageSettings settings = Initial();
  settings.alignment = 3;
  std::string page = Page(Sjis("{本/ほん}"), settings);
  EXPECT_NE(page.find("<RUBY CLASS=\"center\"><SPAN CLASS=\"P\">"), std::string::npos);
  EXPECT_NE(page.find("BODY {background-color:#FFFFFF;}\nRUBY.center  {ruby-align:center;}\n"
                      "</STYLE>\n"),
            std::string::npos);
  settings.alignment = 0;
  page = Page(Sjis("{本/ほん}"), settings);
  EXPECT_NE(page.find("<RUBY><SPAN CLASS=\"P\">"), std::string::npos);
  EXPECT_NE(page.find("BODY {background-color:#FFFFFF;}\n\n</STYLE>\n"), std::string::npos);
}

TEST(RubyPage, AlignmentOutsideTheTableIsTheInitialOne) {
  EXPECT_EQ(AlignmentOf(7).opening_tag, "<RUBY CLASS=\"edge\">");
  EXPECT_EQ(AlignmentOf(-1).opening_tag, "<RUBY CLASS=\"edge\">");
}

TEST(RubyPage, ColoursAreWrittenRedGreenBlue) {
  EXPECT_EQ(HtmlColor(255), "FF0000");
  EXPECT_EQ(HtmlColor(32768), "008000");
  EXPECT_EQ(HtmlColor(0xFFFFFF), "FFFFFF");
  EXPECT_EQ(HtmlColor(0x123456), "563412");
  EXPECT_EQ(HtmlColor(0x7F123456), "563412");  // never more than six digits
}

HtmlPageSettings Plain() {
  HtmlPageSettings plain = Initial();
  plain.detailed = false;
  return plain;
}

TEST(RubyPage, MarksOffGiveBareBreaks) {
  HtmlPageSettings settings = Initial();
  settings.line_break_marks = false;
  settings.page_break_marks = false;
  EXPECT_EQ(Body("a\x0C\nb\r\n", settings), "a\x0C<BR>\n\nb<BR>\n\n");
}

TEST(RubyPage, TrailByteBraceIsCopied) {
  EXPECT_EQ(Body("\x81\x7B\x81\x7D/", Plain()), "\x81\x7B\x81\x7D/\n");
}

TEST(RubyPage, SlashInsideReadingIsCopied) {
  EXPECT_EQ(Body(Sjis("{本/ほ/ん}\n"), Plain()), Sjis("<RUBY>本<RT>ほ/ん</RUBY><BR>\n\n"));
}

// The head declares Shift_JIS; a text without a final line break still ends its body line.
TEST(RubyPage, PageIsShiftJisAndBodyEndStandsOnItsOwnLine) {
  std::string page = Page("x");
  EXPECT_NE(page.find("charset=Shift_JIS"), std::string::npos);
  EXPECT_TRUE(page.ends_with("x\n</BODY>\n</HTML>\n"));
}

TEST(RubyPage, FileNames) {
  EXPECT_EQ(RubyPagePath("/doc/story.srb"), fs::path("/doc/storyRb.html"));
  EXPECT_EQ(RubyPagePath("/doc/story"), fs::path("/doc/storyRb.html"));
  EXPECT_EQ(RubyPagePath("/a.b/story"), fs::path("/a.b/storyRb.html"));
  EXPECT_EQ(PassThroughPagePath("/doc/story.srb"), fs::path("/doc/storyRb.htm"));
  EXPECT_EQ(DocumentInFolder("新規ﾌｧｲﾙ.srb", "/prog"), fs::path("/prog/新規ﾌｧｲﾙ.srb"));
  EXPECT_EQ(DocumentInFolder("/d/x.srb", "/prog"), fs::path("/d/x.srb"));
}

TEST(RubyPage, UnwritableFolderIsReportedAndLeavesNothing) {
  ScratchDir dir;
  fs::path document = dir / "missing" / "a.srb";
  common::StringTextSource source("x");
  RecordingMessenger messenger;
  EXPECT_EQ(WriteRubyPage(document, source, Initial(), messenger), OutputStatus::kCannotCreate);
  ASSERT_TRUE(ShowedOnly(messenger, "ご注意!!",
                         "ブラウザ用のページ<" + (dir / "missing" / "aRb.html").string() +
                             ">を作れませんでした。フォルダ<" + (dir / "missing").string() +
                             ">がありません。"));
}

TEST(RubyPage, ReadOnlyPageIsNotReplaced) {
  ScratchDir dir;
  WriteFile(dir / "aRb.html", "old");
  fs::permissions(dir / "aRb.html", fs::perms::owner_read);
  common::StringTextSource source("x");
  RecordingMessenger messenger;
  EXPECT_EQ(WriteRubyPage(dir / "a.srb", source, Initial(), messenger),
            OutputStatus::kCannotCreate);
  EXPECT_EQ(ReadFile(dir / "aRb.html"), "old");
}

TEST(PassThroughPage, LowerCaseBodyOnlyMatchesGolden) {
  ScratchDir dir;
  fs::copy_file(TestData("rubywindow/pass_through/page.srb"), dir / "page.srb");
  auto source = common::FileTextSource::Open(dir / "page.srb");
  RecordingMessenger messenger;
  EXPECT_TRUE(common::IsOk(WritePassThroughPage(dir / "page.srb", *source, messenger)));
  EXPECT_TRUE(BytesEqual(ReadFile(TestData("rubywindow/pass_through/expected.htm")),
                         ReadFile(dir / "pageRb.htm")));
}

TEST(PassThroughPage, TextWithoutBodyIsConvertedFromItsStart) {
  std::string text = Sjis("{本/ほん}\r\n");
  common::StringTextSource source(text);
  std::string page;
  OutputSink out(page);
  RenderPassThroughPage(source, out);
  EXPECT_EQ(page, Sjis("<RUBY>本<RT>ほん</RUBY>\n"));
}

TEST(PassThroughPage, FailureIsTitledWarning) {
  ScratchDir dir;
  common::StringTextSource source("x");
  RecordingMessenger messenger;
  EXPECT_FALSE(common::IsOk(WritePassThroughPage(dir / "no" / "a.srb", source, messenger)));
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_EQ(messenger.records[0].title, "Warning");
}

}  // namespace
}  // namespace rubywindow
