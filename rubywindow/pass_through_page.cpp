// The HTML pass-through page: the head copied, the body's ruby groups turned into <RUBY>.
#include "rubywindow/pass_through_page.h"

#include <string>

#include "common/file_system.h"
#include "common/sjis.h"
#include "rubywindow/messages.h"

namespace rubywindow {

namespace fs = std::filesystem;

namespace {

constexpr char kReturn = '\r';
constexpr std::string_view kPageSuffix = "Rb.htm";
constexpr std::string_view kBodyTag = "<BODY>";
constexpr std::string_view kBodyTagLower = "<body>";
constexpr std::size_t kHtmlTagLength = 6;  // "<HTML>"

}  // namespace

fs::path PassThroughPagePath(const fs::path& document) {
  fs::path page = common::WithoutExtension(document);
  page += std::string(kPageSuffix);
  return page;
}

std::size_t BodyStartOf(const common::TextSource& source) {
  common::TextCursor cursor(source);
  std::size_t body = cursor.Find(kBodyTag);
  if (body == std::string_view::npos) body = cursor.Find(kBodyTagLower);
  return body == std::string_view::npos ? 0 : body;
}

bool IsHtmlSource(const common::TextSource& source) {
  char head[kHtmlTagLength];
  std::size_t got = source.Read(0, head, sizeof head);
  return common::IsHtmlText(std::string_view(head, got));
}

void CopyHead(const common::TextSource& source, std::size_t end, OutputSink& out) {
  ByteInput in(source);
  while (in.Offset() < end) {
    int byte = in.Get();
    if (byte < 0) return;
    if (byte != kReturn) out.Put(static_cast<char>(byte));
  }
}

void RenderPassThroughPage(const common::TextSource& source, OutputSink& out) {
  std::size_t start = BodyStartOf(source);
  CopyHead(source, start, out);
  ByteInput in(source, start);
  bool in_base = false;
  for (int byte = in.Get(); byte >= 0; byte = in.Get()) {
    char c = static_cast<char>(byte);
    if (common::IsLeadByte(c)) {
      out.Put(c);
      int trail = in.Get();
      if (trail >= 0) out.Put(static_cast<char>(trail));
    } else if (c == kReturn) {
      continue;
    } else if (c == common::kGroupOpen) {
      out.Write("<RUBY>");
      in_base = true;
    } else if (c == common::kGroupSeparator && in_base) {
      out.Write("<RT>");
      in_base = false;
    } else if (c == common::kGroupClose) {
      out.Write("</RUBY>");
      in_base = false;
    } else {
      out.Put(c);  // line feeds and form feeds too
    }
  }
}

OutputStatus WritePassThroughPage(const fs::path& document, const common::TextSource& source,
                                  common::Messenger& messenger) {
  fs::path page = PassThroughPagePath(document);
  int error = 0;
  OutputStatus status = WriteConvertedFile(
      source, page, [&](OutputSink& out) { RenderPassThroughPage(source, out); }, error);
  ReportOutputFailure(status, error, page, messages::kPageNotCreated, messages::kTitleWarning,
                      messenger);
  return status;
}

}  // namespace rubywindow
