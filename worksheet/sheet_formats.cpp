// The three files of a worksheet, each a SheetMarkup over the one walk, wrapped in the parts its
// format needs.
#include "worksheet/sheet_formats.h"

#include <array>
#include <cerrno>

#include "common/platform/file_system.h"
#include "worksheet/markup_text.h"
#include "worksheet/sheet_walk.h"
#include "worksheet/zip_package.h"

namespace worksheet {
namespace {

constexpr std::string_view kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string Font() { return Escaped(kSheetFont); }

// ODT: one text:p per line, a run of spaces as text:s, a tab as text:tab.
class OdtMarkup final : public SheetMarkup {
 public:
  void StartParagraph() override { body_ += "<text:p text:style-name=\"Standard\">"; }
  void Text(std::string_view utf8) override {
    std::size_t at = 0;
    while (at < utf8.size()) {
      std::size_t stop = utf8.find_first_of(" \t", at);
      if (stop == std::string_view::npos) stop = utf8.size();
      AppendEscaped(body_, utf8.substr(at, stop - at));
      if (stop == utf8.size()) break;
      if (utf8[stop] == '\t') {
        body_ += "<text:tab/>";
        at = stop + 1;
        continue;
      }
      // One space stays a space; text:s holds the ones after it, which XML would collapse.
      std::size_t spaces = utf8.find_first_not_of(' ', stop);
      if (spaces == std::string_view::npos) spaces = utf8.size();
      body_ += ' ';
      if (spaces - stop > 1) {
        body_ += "<text:s text:c=\"" + std::to_string(spaces - stop - 1) + "\"/>";
      }
      at = spaces;
    }
  }
  void Ruby(std::string_view base, std::string_view reading) override {
    body_ += "<text:ruby text:style-name=\"Ruby\"><text:ruby-base>";
    AppendEscaped(body_, base);
    body_ += "</text:ruby-base><text:ruby-text>";
    AppendEscaped(body_, reading);
    body_ += "</text:ruby-text></text:ruby>";
  }
  void EndParagraph() override { body_ += "</text:p>\n"; }
  const std::string& Body() const { return body_; }

 private:
  std::string body_;
};

constexpr std::string_view kOdfNamespaces =
    " xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\""
    " xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\""
    " xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\""
    " xmlns:fo=\"urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0\""
    " xmlns:svg=\"urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0\""
    " office:version=\"1.3\"";

std::string OdfFontFaces() {
  std::string faces = "<office:font-face-decls>";
  for (std::string_view font : {kSheetFont, kFallbackFont}) {
    faces += "<style:font-face style:name=\"" + Escaped(font) + "\" svg:font-family=\"&apos;" +
             Escaped(font) + "&apos;\" style:font-family-generic=\"roman\"/>";
  }
  return faces + "</office:font-face-decls>\n";
}

std::string OdtContent(std::string_view sjis) {
  OdtMarkup markup;
  WalkSheet(sjis, markup);
  return std::string(kXmlDeclaration) + "<office:document-content" + std::string(kOdfNamespaces) +
         ">\n" + OdfFontFaces() +
         "<office:automatic-styles><style:style style:name=\"Ruby\" style:family=\"ruby\">"
         "<style:ruby-properties style:ruby-position=\"above\" style:ruby-align=\"center\"/>"
         "</style:style></office:automatic-styles>\n"
         "<office:body><office:text>\n" +
         markup.Body() + "</office:text></office:body></office:document-content>\n";
}

std::string OdtStyles(const SheetOptions& options) {
  std::string writing_mode = options.vertical ? " style:writing-mode=\"tb-rl\"" : "";
  return std::string(kXmlDeclaration) + "<office:document-styles" + std::string(kOdfNamespaces) +
         ">\n" + OdfFontFaces() +
         "<office:styles><style:default-style style:family=\"paragraph\">"
         "<style:paragraph-properties fo:line-height=\"200%\"/>"
         "<style:text-properties style:font-name=\"" +
         Font() + "\" style:font-name-asian=\"" + Font() +
         "\" fo:font-size=\"14pt\" style:font-size-asian=\"14pt\" fo:language=\"ja\" "
         "fo:country=\"JP\" style:language-asian=\"ja\" style:country-asian=\"JP\"/>"
         "</style:default-style>"
         "<style:style style:name=\"Standard\" style:family=\"paragraph\" style:class=\"text\"/>"
         "</office:styles>\n"
         "<office:automatic-styles><style:page-layout style:name=\"A4\">"
         "<style:page-layout-properties fo:page-width=\"21cm\" fo:page-height=\"29.7cm\" "
         "fo:margin-top=\"2cm\" fo:margin-bottom=\"2cm\" fo:margin-left=\"2cm\" "
         "fo:margin-right=\"2cm\"" +
         writing_mode +
         "/></style:page-layout>"
         "</office:automatic-styles>\n"
         "<office:master-styles><style:master-page style:name=\"Standard\" "
         "style:page-layout-name=\"A4\"/></office:master-styles></office:document-styles>\n";
}

constexpr std::string_view kOdtMimeType = "application/vnd.oasis.opendocument.text";

std::string OdtManifest() {
  return std::string(kXmlDeclaration) +
         "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\""
         " manifest:version=\"1.3\">\n"
         "<manifest:file-entry manifest:full-path=\"/\" manifest:version=\"1.3\" "
         "manifest:media-type=\"" +
         std::string(kOdtMimeType) +
         "\"/>\n"
         "<manifest:file-entry manifest:full-path=\"content.xml\" "
         "manifest:media-type=\"text/xml\"/>\n"
         "<manifest:file-entry manifest:full-path=\"styles.xml\" "
         "manifest:media-type=\"text/xml\"/>\n"
         "</manifest:manifest>\n";
}

// DOCX: one w:p per line; text runs keep their spaces, a tab is w:tab.
constexpr int kBaseHalfPoints = 28;  // 14 pt
constexpr int kRubyHalfPoints = 14;  // 7 pt

class DocxMarkup final : public SheetMarkup {
 public:
  void StartParagraph() override { body_ += "<w:p>"; }
  void Text(std::string_view utf8) override {
    std::size_t start = 0;
    while (start <= utf8.size()) {
      std::size_t tab = utf8.find('\t', start);
      std::string_view piece =
          utf8.substr(start, tab == std::string_view::npos ? tab : tab - start);
      if (!piece.empty()) AppendRun(piece);
      if (tab == std::string_view::npos) break;
      body_ += "<w:r><w:tab/></w:r>";
      start = tab + 1;
    }
  }
  void Ruby(std::string_view base, std::string_view reading) override {
    body_ += ruby_start_;
    AppendRun(reading, ruby_size_);
    body_ += "</w:rt><w:rubyBase>";
    AppendRun(base, base_size_);
    body_ += "</w:rubyBase></w:ruby></w:r>";
  }
  void EndParagraph() override { body_ += "</w:p>\n"; }
  const std::string& Body() const { return body_; }

 private:
  static std::string SizeOf(int half_points) {
    std::string value = std::to_string(half_points);
    return "<w:rPr><w:sz w:val=\"" + value + "\"/><w:szCs w:val=\"" + value + "\"/></w:rPr>";
  }
  void AppendRun(std::string_view text, std::string_view size = {}) {
    body_ += "<w:r>";
    body_ += size;
    body_ += "<w:t xml:space=\"preserve\">";
    AppendEscaped(body_, text);
    body_ += "</w:t></w:r>";
  }

  // A text holds thousands of groups: what every group repeats is made once.
  const std::string ruby_start_ =
      "<w:r><w:ruby><w:rubyPr><w:rubyAlign w:val=\"center\"/><w:hps w:val=\"" +
      std::to_string(kRubyHalfPoints) + "\"/><w:hpsRaise w:val=\"" +
      std::to_string(kBaseHalfPoints - 2) + "\"/><w:hpsBaseText w:val=\"" +
      std::to_string(kBaseHalfPoints) + "\"/><w:lid w:val=\"ja-JP\"/></w:rubyPr><w:rt>";
  const std::string ruby_size_ = SizeOf(kRubyHalfPoints);
  const std::string base_size_ = SizeOf(kBaseHalfPoints);
  std::string body_;
};

constexpr std::string_view kWordNamespace =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";
constexpr std::string_view kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::string DocxDocument(std::string_view sjis, const SheetOptions& options) {
  DocxMarkup markup;
  WalkSheet(sjis, markup);
  std::string direction = options.vertical ? "<w:textDirection w:val=\"tbRl\"/>" : "";
  // A4 in twentieths of a point, margins of 2 cm.
  return std::string(kXmlDeclaration) + "<w:document " + std::string(kWordNamespace) +
         "><w:body>\n" + markup.Body() +
         "<w:sectPr><w:pgSz w:w=\"11906\" w:h=\"16838\"/><w:pgMar w:top=\"1134\" "
         "w:right=\"1134\" w:bottom=\"1134\" w:left=\"1134\" w:header=\"567\" w:footer=\"567\" "
         "w:gutter=\"0\"/>" +
         direction + "</w:sectPr></w:body></w:document>\n";
}

std::string DocxStyles() {
  return std::string(kXmlDeclaration) + "<w:styles " + std::string(kWordNamespace) +
         "><w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"" + Font() + "\" w:hAnsi=\"" +
         Font() + "\" w:eastAsia=\"" + Font() + "\" w:cs=\"" + Font() + "\"/><w:sz w:val=\"" +
         std::to_string(kBaseHalfPoints) + "\"/><w:szCs w:val=\"" +
         std::to_string(kBaseHalfPoints) +
         "\"/><w:lang w:val=\"ja-JP\" w:eastAsia=\"ja-JP\"/></w:rPr></w:rPrDefault>"
         "<w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"480\" w:lineRule=\"auto\"/>"
         "</w:pPr></w:pPrDefault></w:docDefaults>"
         "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
         "<w:name w:val=\"Normal\"/></w:style></w:styles>\n";
}

std::string DocxFontTable() {
  return std::string(kXmlDeclaration) + "<w:fonts " + std::string(kWordNamespace) +
         "><w:font w:name=\"" + Font() + "\"><w:altName w:val=\"" + Escaped(kFallbackFont) +
         "\"/><w:charset w:val=\"80\"/><w:family w:val=\"roman\"/><w:pitch w:val=\"variable\"/>"
         "</w:font></w:fonts>\n";
}

std::string DocxContentTypes() {
  constexpr std::string_view kWordType = "application/vnd.openxmlformats-officedocument.";
  return std::string(kXmlDeclaration) +
         "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
         "<Default Extension=\"rels\" "
         "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
         "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
         "<Override PartName=\"/word/document.xml\" ContentType=\"" +
         std::string(kWordType) +
         "wordprocessingml.document.main+xml\"/>"
         "<Override PartName=\"/word/styles.xml\" ContentType=\"" +
         std::string(kWordType) +
         "wordprocessingml.styles+xml\"/>"
         "<Override PartName=\"/word/fontTable.xml\" ContentType=\"" +
         std::string(kWordType) + "wordprocessingml.fontTable+xml\"/></Types>\n";
}

std::string Relationships(
    std::initializer_list<std::pair<std::string_view, std::string_view>> type_and_target) {
  std::string rels = std::string(kXmlDeclaration) +
                     "<Relationships "
                     "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  int id = 1;
  for (const auto& [type, target] : type_and_target) {
    rels += "<Relationship Id=\"rId" + std::to_string(id++) + "\" Type=\"" +
            std::string(kRelationships) + std::string(type) + "\" Target=\"" + std::string(target) +
            "\"/>";
  }
  return rels + "</Relationships>\n";
}

// HTML5: one p per line; the page keeps spaces and tabs itself (pre-wrap).
class HtmlMarkup final : public SheetMarkup {
 public:
  void StartParagraph() override {
    body_ += "<p>";
    empty_ = true;
  }
  void Text(std::string_view utf8) override {
    AppendEscaped(body_, utf8);
    empty_ = false;
  }
  void Ruby(std::string_view base, std::string_view reading) override {
    body_ += "<ruby>";
    AppendEscaped(body_, base);
    body_ += "<rt>";
    AppendEscaped(body_, reading);
    body_ += "</rt></ruby>";
    empty_ = false;
  }
  // An empty line keeps its height.
  void EndParagraph() override { body_ += empty_ ? "<br></p>\n" : "</p>\n"; }
  const std::string& Body() const { return body_; }

 private:
  std::string body_;
  bool empty_ = true;
};

std::string PageStyle() {
  std::string fonts = "\"" + std::string(kSheetFont) + "\", \"" + std::string(kFallbackFont) +
                      "\", \"IPAex明朝\", serif";
  return "@page { size: A4; margin: 20mm; }\n"
         "html { font-family: " +
         fonts +
         "; font-size: 14pt; line-height: 2.2; }\n"
         "body { margin: 20mm auto; max-width: 170mm; }\n"
         "html.vertical { writing-mode: vertical-rl; }\n"
         "html.vertical body { margin: 20mm; max-width: none; max-height: 257mm; }\n"
         "p { margin: 0; white-space: pre-wrap; }\n"
         "rt { font-size: 0.5em; }\n"
         "@media print {\n"
         "  body, html.vertical body { margin: 0; max-width: none; max-height: none; }\n"
         "  p { orphans: 2; widows: 2; }\n"
         "}\n";
}

}  // namespace

std::optional<SheetFormat> SheetFormatNamed(std::string_view name) {
  if (name == "odt") return SheetFormat::kOdt;
  if (name == "docx") return SheetFormat::kDocx;
  if (name == "html5") return SheetFormat::kHtml5;
  return std::nullopt;
}

std::string_view ExtensionOf(SheetFormat format) {
  switch (format) {
    case SheetFormat::kOdt:
      return ".odt";
    case SheetFormat::kDocx:
      return ".docx";
    case SheetFormat::kHtml5:
      break;
  }
  return ".html";
}

std::vector<PackagePart> OdtParts(std::string_view sjis, const SheetOptions& options) {
  // The mimetype comes first and uncompressed, so that the type can be read at a fixed offset.
  return {{"mimetype", std::string(kOdtMimeType), true},
          {"META-INF/manifest.xml", OdtManifest()},
          {"content.xml", OdtContent(sjis)},
          {"styles.xml", OdtStyles(options)}};
}

std::vector<PackagePart> DocxParts(std::string_view sjis, const SheetOptions& options) {
  return {{"[Content_Types].xml", DocxContentTypes()},
          {"_rels/.rels", Relationships({{"officeDocument", "word/document.xml"}})},
          {"word/_rels/document.xml.rels",
           Relationships({{"styles", "styles.xml"}, {"fontTable", "fontTable.xml"}})},
          {"word/document.xml", DocxDocument(sjis, options)},
          {"word/styles.xml", DocxStyles()},
          {"word/fontTable.xml", DocxFontTable()}};
}

std::string Html5Page(std::string_view sjis, const SheetOptions& options) {
  HtmlMarkup markup;
  WalkSheet(sjis, markup);
  std::string html_class = options.vertical ? " class=\"vertical\"" : "";
  return "<!DOCTYPE html>\n<html lang=\"ja\"" + html_class +
         ">\n<head>\n<meta charset=\"utf-8\">\n<title>" + Escaped(options.title) +
         "</title>\n<style>\n" + PageStyle() + "</style>\n</head>\n<body>\n" + markup.Body() +
         "</body>\n</html>\n";
}

bool WriteSheet(const std::filesystem::path& path, SheetFormat format, std::string_view sjis,
                const SheetOptions& options) {
  switch (format) {
    case SheetFormat::kOdt:
      return WriteZipPackage(path, OdtParts(sjis, options));
    case SheetFormat::kDocx:
      return WriteZipPackage(path, DocxParts(sjis, options));
    case SheetFormat::kHtml5:
      break;
  }
  if (common::WriteFileSynced(path, Html5Page(sjis, options)) == common::WriteOutcome::kWritten) {
    return true;
  }
  int error = errno;         // the cause, for the message
  common::RemoveFile(path);  // a file that could not be written is not left half-written
  errno = error;
  return false;
}

}  // namespace worksheet
