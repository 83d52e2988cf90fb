// The HTML ruby page: head lines from the settings, and a body in which each ruby group
// becomes <RUBY> mark-up.
#include "rubywindow/ruby_page.h"

#include <string>

#include "common/cp932.h"
#include "common/file_system.h"
#include "common/message_format.h"
#include "common/sjis.h"
#include "rubywindow/messages.h"

namespace rubywindow {

namespace fs = std::filesystem;

namespace {

constexpr char kLineFeed = '\n';
constexpr char kReturn = '\r';
constexpr char kFormFeed = 0x0C;
constexpr std::string_view kPageSuffix = "Rb.html";

// Without a declared encoding a browser may take the page for another encoding and show
// mojibake, so the head names it first.
constexpr std::string_view kCharsetLine =
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=%s\">\n";
constexpr std::string_view kTitleEndUtf8 = " --るび表示【霧島ぺんぎん堂】</TITLE>\n";

void WriteStyle(const HtmlPageSettings& settings, OutputSink& out) {
  std::string font = "<FONT STYLE=\"font-family:";
  font += settings.font_name;
  font += common::FormatMessage(
      ";font-size:%dpt;color:#%s;line-height:%d%%;\">\n",
      {settings.font_size, HtmlColor(settings.text_color), settings.line_height});
  out.Write(font);
  out.Write("<STYLE TYPE=\"text/css\">\n");
  out.Write("SPAN.R {color:#" + HtmlColor(settings.ruby_color) + ";}\n");
  out.Write("SPAN.P {color:#" + HtmlColor(settings.base_color) + ";}\n");
  out.Write("SPAN.C {color:#FF0000;}\n");
  out.Write("SPAN.L {color:#FF0077;}\n");
  out.Write("BODY {background-color:#" + HtmlColor(settings.background_color) + ";}\n");
  out.Write(AlignmentOf(settings.alignment).style_rule);
  out.Put(kLineFeed);
  out.Write("</STYLE>\n");
}

void WriteHead(std::string_view title_name, const HtmlPageSettings& settings, OutputSink& out) {
  out.Write("<HTML>\n<HEAD>\n");
  out.Write(common::FormatMessage(kCharsetLine, {settings.charset}));
  out.Write("<TITLE> ");
  out.Write(title_name);
  out.Write(common::Sjis(kTitleEndUtf8));
  if (settings.detailed) WriteStyle(settings, out);
  out.Write("</HEAD>\n<BODY>\n");
}

// Returns whether the body ended with a line end.
bool WriteBody(const common::TextSource& source, const BodyTokens& tokens, OutputSink& out) {
  ByteInput in(source);
  bool in_base = false;
  int last = kLineFeed;
  for (int byte = in.Get(); byte >= 0; byte = in.Get()) {
    char c = static_cast<char>(byte);
    if (common::IsLeadByte(c)) {
      out.Put(c);
      int trail = in.Get();  // whatever it is, even '{' or '}'
      if (trail >= 0) out.Put(static_cast<char>(trail));
    } else if (c == kLineFeed) {
      out.Write(tokens.line_end);
      out.Put(kLineFeed);
    } else if (c == kReturn) {
      continue;
    } else if (c == kFormFeed) {
      out.Write(tokens.page_break);
      out.Put(c);
    } else if (c == common::kGroupOpen) {
      out.Write(tokens.group_open);
      in_base = true;
    } else if (c == common::kGroupClose) {
      out.Write(tokens.group_close);
      in_base = false;
    } else if (c == common::kGroupSeparator && in_base) {
      out.Write(tokens.separator);
      in_base = false;
    } else {
      out.Put(c);
    }
    last = byte;
  }
  return last == kLineFeed;
}

}  // namespace

fs::path RubyPagePath(const fs::path& document) {
  fs::path page = common::WithoutExtension(document);
  page += std::string(kPageSuffix);
  return page;
}

fs::path DocumentInFolder(const fs::path& document, const fs::path& program_dir) {
  return document.has_parent_path() ? document : program_dir / document;
}

void RenderRubyPage(const common::TextSource& source, std::string_view title_name,
                    const HtmlPageSettings& settings, OutputSink& out) {
  WriteHead(title_name, settings, out);
  // "</BODY>" keeps a line of its own even when the text does not end with a line break.
  if (!WriteBody(source, BodyTokensOf(settings), out)) out.Put(kLineFeed);
  out.Write("</BODY>\n</HTML>\n");
}

OutputStatus WriteRubyPage(const fs::path& document, const common::TextSource& source,
                           const HtmlPageSettings& settings, common::Messenger& messenger) {
  fs::path page = RubyPagePath(document);
  std::string title_name = PathForText(document.filename());
  int error = 0;
  OutputStatus status = WriteConvertedFile(
      source, page, [&](OutputSink& out) { RenderRubyPage(source, title_name, settings, out); },
      error);
  ReportOutputFailure(status, error, page, messages::kPageNotCreated, messages::kTitleCaution,
                      messenger);
  return status;
}

}  // namespace rubywindow
