#include "worksheet/sheet_formats.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "tests/support/test_files.h"
#include "worksheet/markup_text.h"

namespace worksheet {
namespace {

using testing_support::ScratchDir;
using testing_support::Sjis;

// A zip file read back through libzip, as the word processors read it: the names in their
// order, whether each is compressed, and the text of each.
struct ReadBack {
  bool opened = false;
  std::vector<std::string> names;
  std::map<std::string, bool> stored;
  std::map<std::string, std::string> parts;
};

ReadBack ReadZip(const std::filesystem::path& path) {
  ReadBack back;
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (archive == nullptr) return back;
  back.opened = true;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) continue;
    std::string name = stat.name;
    back.names.push_back(name);
    back.stored[name] = stat.comp_method == ZIP_CM_STORE;
    std::string bytes(stat.size, '\0');
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    if (file != nullptr) {
      zip_int64_t read = zip_fread(file, bytes.data(), bytes.size());
      zip_fclose(file);
      if (read >= 0) bytes.resize(static_cast<std::size_t>(read));
    }
    back.parts[name] = bytes;
  }
  zip_close(archive);
  return back;
}

bool Holds(const std::string& text, std::string_view piece) {
  return text.find(piece) != std::string::npos;
}

// Two paragraphs, an empty line, a tab, spaces and alternatives; every group's base and reading
// shows up once as ruby in each format.
constexpr std::string_view kRubyText =
    "{漢/かん}{字/じ}を{書/か}く。\r\n\r\n{人/ひと|にん}\tと  {今日/きょう}\r\n";

TEST(SheetFormats, EachPackageHoldsItsPartsAndNativeRuby) {
  struct Case {
    SheetFormat format;
    std::vector<std::string> names;
    std::string body_part;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {SheetFormat::kOdt,
       {"mimetype", "META-INF/manifest.xml", "content.xml", "styles.xml"},
       "content.xml",
       {"<text:ruby text:style-name=\"Ruby\"><text:ruby-base>漢</text:ruby-base>"
        "<text:ruby-text>かん</text:ruby-text></text:ruby>",
        "<text:ruby-base>今日</text:ruby-base><text:ruby-text>きょう</text:ruby-text>",
        "<text:ruby-base>人</text:ruby-base><text:ruby-text>ひと</text:ruby-text>", "く。</text:p>",
        "<text:p text:style-name=\"Standard\"></text:p>", "<text:tab/>と <text:s text:c=\"1\"/>"}},
      {SheetFormat::kDocx,
       {"[Content_Types].xml", "_rels/.rels", "word/_rels/document.xml.rels", "word/document.xml",
        "word/styles.xml", "word/fontTable.xml"},
       "word/document.xml",
       {"<w:rt><w:r><w:rPr><w:sz w:val=\"14\"/><w:szCs w:val=\"14\"/></w:rPr>"
        "<w:t xml:space=\"preserve\">かん</w:t></w:r></w:rt><w:rubyBase><w:r><w:rPr>"
        "<w:sz w:val=\"28\"/><w:szCs w:val=\"28\"/></w:rPr><w:t xml:space=\"preserve\">漢</w:t>",
        "<w:t xml:space=\"preserve\">きょう</w:t>", "<w:t xml:space=\"preserve\">ひと</w:t>",
        "<w:p></w:p>", "<w:r><w:tab/></w:r><w:r><w:t xml:space=\"preserve\">と  </w:t>",
        "<w:pgSz w:w=\"11906\" w:h=\"16838\"/>"}},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    std::filesystem::path path = dir / ("sheet" + std::string(ExtensionOf(c.format)));
    ASSERT_TRUE(WriteSheet(path, c.format, Sjis(kRubyText), {}));
    ReadBack back = ReadZip(path);
    ASSERT_TRUE(back.opened) << path;
    EXPECT_EQ(back.names, c.names);
    const std::string& body = back.parts[c.body_part];
    for (const std::string& piece : c.pieces) EXPECT_TRUE(Holds(body, piece)) << piece;
    EXPECT_FALSE(Holds(body, "にん")) << "only the first alternative is shown";
    EXPECT_FALSE(Holds(body, "{")) << c.body_part;
  }
}

TEST(SheetFormats, OdtMimeTypeComesFirstUncompressed) {
  ScratchDir dir;
  ASSERT_TRUE(WriteSheet(dir / "a.odt", SheetFormat::kOdt, Sjis(kRubyText), {}));
  ReadBack back = ReadZip(dir / "a.odt");
  ASSERT_FALSE(back.names.empty());
  EXPECT_EQ(back.names.front(), "mimetype");
  EXPECT_TRUE(back.stored["mimetype"]);
  EXPECT_FALSE(back.stored["content.xml"]);
  EXPECT_EQ(back.parts["mimetype"], "application/vnd.oasis.opendocument.text");
  // The zip's first local header is followed by the name and then the type, at a fixed offset.
  EXPECT_EQ(testing_support::ReadFile(dir / "a.odt").substr(30, 47),
            "mimetypeapplication/vnd.oasis.opendocument.text");
}

// Mark-up characters in bases, readings and the text between them, in every format.
TEST(SheetFormats, MarkupCharactersAreEscapedEverywhere) {
  const std::string text = "a<b & \"c\" 'd'{<&>/\"&'}\n";
  ScratchDir dir;
  struct Case {
    SheetFormat format;
    std::string part;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {SheetFormat::kOdt,
       "content.xml",
       {"a&lt;b &amp; &quot;c&quot; &#39;d&#39;",
        "<text:ruby-base>&lt;&amp;&gt;</text:ruby-base><text:ruby-text>&quot;&amp;&#39;"}},
      {SheetFormat::kDocx,
       "word/document.xml",
       {"a&lt;b &amp; &quot;c&quot; &#39;d&#39;", ">&quot;&amp;&#39;</w:t>",
        ">&lt;&amp;&gt;</w:t>"}},
      {SheetFormat::kHtml5,
       "",
       {"a&lt;b &amp; &quot;c&quot; &#39;d&#39;",
        "<ruby>&lt;&amp;&gt;<rt>&quot;&amp;&#39;</rt></ruby>"}},
  };
  for (const Case& c : cases) {
    std::filesystem::path path = dir / ("x" + std::string(ExtensionOf(c.format)));
    ASSERT_TRUE(WriteSheet(path, c.format, text, {.vertical = false, .title = "<t&>"}));
    std::string body =
        c.part.empty() ? testing_support::ReadFile(path) : ReadZip(path).parts[c.part];
    for (const std::string& piece : c.pieces) EXPECT_TRUE(Holds(body, piece)) << piece;
    EXPECT_FALSE(Holds(body, "<b ")) << c.part;
    EXPECT_FALSE(Holds(body, "<&>")) << c.part;
  }
}

TEST(SheetFormats, EscapingLeavesOutWhatXmlCannotHold) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"<>&\"'", "&lt;&gt;&amp;&quot;&#39;"},
      {"\x01\x08\x0B\x0C\x1F", ""},
      {"a\tb\nc\r", "a\tb\nc\r"},
      {"漢字", "漢字"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Escaped(text), expected) << text;
}

TEST(SheetFormats, Html5PageIsUtf8RubyWithPrintStyleAndVerticalOption) {
  struct Case {
    bool vertical;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {false,
       {"<!DOCTYPE html>\n<html lang=\"ja\">", "<meta charset=\"utf-8\">", "@page { size: A4;",
        "<title>話</title>", "<p><ruby>漢<rt>かん</rt></ruby><ruby>字<rt>じ</rt></ruby>を",
        "<p><br></p>",
        "<p><ruby>人<rt>ひと</rt></ruby>\tと  <ruby>今日<rt>きょう</rt></ruby></p>"}},
      {true, {"<html lang=\"ja\" class=\"vertical\">", "writing-mode: vertical-rl"}},
  };
  for (const Case& c : cases) {
    std::string page = Html5Page(Sjis(kRubyText), {.vertical = c.vertical, .title = "話"});
    for (const std::string& piece : c.pieces) EXPECT_TRUE(Holds(page, piece)) << piece;
  }
}

TEST(SheetFormats, VerticalWritingReachesThePageOfEachDocument) {
  ScratchDir dir;
  const std::pair<SheetFormat, std::pair<std::string, std::string>> cases[] = {
      {SheetFormat::kOdt, {"styles.xml", "style:writing-mode=\"tb-rl\""}},
      {SheetFormat::kDocx, {"word/document.xml", "<w:textDirection w:val=\"tbRl\"/>"}},
  };
  for (const auto& [format, where] : cases) {
    for (bool vertical : {false, true}) {
      std::filesystem::path path = dir / ("v" + std::string(ExtensionOf(format)));
      ASSERT_TRUE(WriteSheet(path, format, Sjis(kRubyText), {.vertical = vertical, .title = ""}));
      EXPECT_EQ(Holds(ReadZip(path).parts[where.first], where.second), vertical) << where.second;
    }
  }
}

TEST(SheetFormats, UnwritablePlaceFailsAndLeavesNoFile) {
  ScratchDir dir;
  for (SheetFormat format : {SheetFormat::kOdt, SheetFormat::kDocx, SheetFormat::kHtml5}) {
    std::filesystem::path path = dir / "missing" / ("s" + std::string(ExtensionOf(format)));
    errno = 0;
    EXPECT_FALSE(WriteSheet(path, format, Sjis(kRubyText), {}));
    EXPECT_EQ(errno, ENOENT) << path;  // the cause the message names
    EXPECT_FALSE(std::filesystem::exists(path));
  }
}

}  // namespace
}  // namespace worksheet
