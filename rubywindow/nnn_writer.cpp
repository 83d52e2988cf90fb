// The NNN conversion: text outside groups copied, each group written through the template.
#include "rubywindow/nnn_writer.h"

#include <charconv>

#include "common/cp932.h"
#include "common/sjis.h"
#include "rubywindow/messages.h"
#include "rubywindow/pass_through_page.h"
#include "rubywindow/ruby_group_reader.h"

namespace rubywindow {

namespace {

constexpr char kReturn = '\r';
constexpr int kInitialFontSize = 8;
constexpr std::string_view kInitialFontNameUtf8 = "ＭＳ明朝";
constexpr std::string_view kSampleBaseUtf8 = "花";
constexpr std::string_view kSampleReadingUtf8 = "はな";

enum Marker {
  kBase = 1,
  kBaseBytes = 2,
  kBaseCharacters = 3,
  kReading = 4,
  kReadingBytes = 5,
  kReadingCharacters = 6,  // bytes / 2: a '|' counts as half a character
  kFontName = 7,
  kFontSize = 8,
};

void WriteNumber(long long number, OutputSink& out) {
  char digits[24];
  auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
  out.Write(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

}  // namespace

NnnOptions NnnOptionsOf(const common::Settings& settings) {
  return {settings.nnn_template, common::Sjis(kInitialFontNameUtf8), kInitialFontSize};
}

std::filesystem::path NnnPath(const std::filesystem::path& document) {
  return CutAtFirstDot(document, ".nnn");
}

void WriteGroup(const TemplateTable& table, std::string_view base, std::string_view reading,
                const NnnOptions& options, OutputSink& out) {
  for (const TemplateSlot& slot : table.parts) {
    switch (slot.kind) {
      case kBase:
        out.Write(base);
        break;
      case kBaseBytes:
        WriteNumber(static_cast<long long>(base.size()), out);
        break;
      case kBaseCharacters:
        WriteNumber(static_cast<long long>(base.size() / 2), out);
        break;
      case kReading:
        out.Write(reading);
        break;
      case kReadingBytes:
        WriteNumber(static_cast<long long>(reading.size()), out);
        break;
      case kReadingCharacters:
        WriteNumber(static_cast<long long>(reading.size() / 2), out);
        break;
      case kFontName:
        out.Write(options.font_name);
        break;
      case kFontSize:
        WriteNumber(options.font_size, out);
        break;
      default:
        out.Write(slot.text);
        break;
    }
  }
}

std::string NnnPreview(const NnnOptions& options) {
  std::string preview;
  OutputSink out(preview);
  WriteGroup(ParseTemplate(options.template_text, kNnnMarkers), common::Sjis(kSampleBaseUtf8),
             common::Sjis(kSampleReadingUtf8), options, out);
  return preview;
}

void RenderNnn(const common::TextSource& source, const NnnOptions& options, OutputSink& out) {
  TemplateTable table = ParseTemplate(options.template_text, kNnnMarkers);
  std::size_t start = 0;
  if (IsHtmlSource(source)) {
    start = BodyStartOf(source);
    CopyHead(source, start, out);
  }
  ByteInput in(source, start);
  std::string base;
  std::string reading;
  for (int byte = in.Get(); byte >= 0; byte = in.Get()) {
    char c = static_cast<char>(byte);
    if (common::IsLeadByte(c)) {
      out.Put(c);
      int trail = in.Get();
      if (trail >= 0) out.Put(static_cast<char>(trail));
    } else if (c == common::kGroupOpen) {
      base.clear();
      reading.clear();
      ReadGroup(in, base, reading);
      WriteGroup(table, base, reading, options, out);
    } else if (c != kReturn) {
      out.Put(c);  // line feeds too
    }
  }
}

OutputStatus WriteNnn(const std::filesystem::path& document, const common::TextSource& source,
                      const NnnOptions& options, common::Messenger& messenger) {
  std::filesystem::path target = NnnPath(document);
  int error = 0;
  OutputStatus status = WriteConvertedFile(
      source, target, [&](OutputSink& out) { RenderNnn(source, options, out); }, error);
  ReportOutputFailure(status, error, target, messages::kOutputNotOpened, messages::kTitleReport,
                      messenger);
  return status;
}

std::optional<common::Message> NnnMarkerWarning(const TemplateTable& table) {
  std::string_view text;
  switch (MarkerState(table, kBase, kReading)) {
    case 0:
      text = messages::kNnnNoMarkers;
      break;
    case 1:
      text = messages::kNnnNoReadingMarker;
      break;
    case 2:
      text = messages::kNnnNoBaseMarker;
      break;
    default:
      return std::nullopt;
  }
  return common::Message{std::string(messages::kTitleNnnMarkers),
                         std::string(text) + std::string(messages::kRunAnyway)};
}

}  // namespace rubywindow
