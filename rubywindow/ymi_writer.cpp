// The YMI conversion: one walk over the text, field by field, with the line-head mark deciding
// which lines are formatted.
#include "rubywindow/ymi_writer.h"

#include <string>

#include "common/field_entry.h"
#include "common/sjis.h"
#include "rubywindow/messages.h"
#include "rubywindow/ruby_group_reader.h"
#include "rubywindow/template_table.h"
#include "rubywindow/to_hiragana.h"

namespace rubywindow {

namespace {

constexpr char kLineFeed = '\n';
constexpr char kReturn = '\r';
constexpr int kFieldText = 1;
constexpr int kFieldReading = 2;
constexpr std::size_t kFieldReserve = 4096;

class YmiConversion {
 public:
  YmiConversion(const common::TextSource& source, const YmiOptions& options, OutputSink& out)
      : in_(source),
        out_(out),
        options_(options),
        table_(ParseTemplate(ExpandTabMarks(options.template_text), kYmiMarkers)),
        range_(FieldRangeOf(options)),
        separator_(common::SeparatorByteOf(options.separator_edit).value_or(',')),
        skipping_(options.part_mode == 1) {
    text_.reserve(kFieldReserve);
    reading_.reserve(kFieldReserve);
  }

  void Run();

 private:
  enum class LineStart { kMarked, kCopied, kEnded };
  LineStart MatchMark();
  void Outside(char c);
  void Inside(char c);
  void NewLine() {
    field_ = 1;
    skipping_ = options_.part_mode == 1;
  }
  void WriteField();
  void PutCharacter(char lead) {
    out_.Put(lead);
    int trail = in_.Get();
    if (trail >= 0) out_.Put(static_cast<char>(trail));
  }

  ByteInput in_;
  OutputSink& out_;
  const YmiOptions& options_;
  TemplateTable table_;
  FieldRange range_;
  char separator_;
  bool skipping_;
  int field_ = 1;
  std::string text_;
  std::string reading_;
  std::string converted_;
};

void YmiConversion::Run() {
  while (true) {
    if (skipping_) {
      LineStart start = MatchMark();
      if (start == LineStart::kEnded) break;
      if (start == LineStart::kCopied) continue;
    }
    int byte = in_.Get();
    if (byte < 0) break;
    if (range_.Holds(field_)) {
      Inside(static_cast<char>(byte));
    } else {
      Outside(static_cast<char>(byte));
    }
  }
  // A last field that no line feed ends is written all the same, so the last line is not lost.
  if (!text_.empty()) WriteField();
}

// At a line start while looking for the mark. An unmarked line is copied as it is.
YmiConversion::LineStart YmiConversion::MatchMark() {
  std::string_view mark = options_.line_head_mark;
  std::size_t line_start = in_.Offset();
  std::size_t matched = 0;
  while (matched < mark.size() && in_.Peek() == static_cast<unsigned char>(mark[matched])) {
    in_.Get();
    ++matched;
  }
  if (matched == mark.size()) {
    skipping_ = false;
    if (options_.mark_handling == 0) in_.Seek(line_start);  // the mark opens the first field
    return LineStart::kMarked;
  }
  in_.Seek(line_start);  // copied from its start, character by character
  for (int byte = in_.Get(); byte >= 0; byte = in_.Get()) {
    char c = static_cast<char>(byte);
    if (common::IsLeadByte(c)) {
      PutCharacter(c);
    } else if (c != kReturn) {
      out_.Put(c);
    }
    if (c == kLineFeed) return LineStart::kCopied;
  }
  return LineStart::kEnded;
}

void YmiConversion::Outside(char c) {
  if (common::IsLeadByte(c)) {
    PutCharacter(c);
  } else if (c == separator_) {
    out_.Put(c);
    ++field_;
  } else if (c == kLineFeed) {
    out_.Put(c);
    NewLine();
  } else if (c != kReturn) {
    out_.Put(c);
  }
}

void YmiConversion::Inside(char c) {
  if (common::IsLeadByte(c)) {
    text_ += c;
    reading_ += c;
    int trail = in_.Get();
    if (trail >= 0) {
      text_ += static_cast<char>(trail);
      reading_ += static_cast<char>(trail);
    }
  } else if (c == separator_) {
    WriteField();
    out_.Put(c);
    ++field_;
  } else if (c == kLineFeed) {
    // An empty field at a line end leaves only the line end.
    if (!text_.empty()) WriteField();
    text_.clear();
    reading_.clear();
    out_.Put(c);
    NewLine();
  } else if (c == common::kGroupOpen) {
    ReadGroup(in_, text_, reading_);
  } else if (c != kReturn) {
    text_ += c;
    reading_ += c;
  }
}

void YmiConversion::WriteField() {
  std::string_view reading = reading_;
  if (options_.to_hiragana) {
    converted_.clear();
    AppendAsHiragana(reading_, converted_);
    reading = converted_;
  }
  for (const TemplateSlot& slot : table_.parts) {
    if (slot.kind == kFieldText) {
      out_.Write(text_);
    } else if (slot.kind == kFieldReading) {
      out_.Write(reading);
    } else {
      out_.Write(slot.text);
    }
  }
  text_.clear();
  reading_.clear();
}

}  // namespace

std::filesystem::path YmiPath(const std::filesystem::path& document) {
  return CutAtFirstDot(document, ".ymi");
}

void RenderYmi(const common::TextSource& source, const YmiOptions& options, OutputSink& out) {
  YmiConversion(source, options, out).Run();
}

OutputStatus WriteYmi(const std::filesystem::path& document, const common::TextSource& source,
                      const YmiOptions& options, common::Messenger& messenger) {
  std::filesystem::path target = YmiPath(document);
  int error = 0;
  OutputStatus status = WriteConvertedFile(
      source, target, [&](OutputSink& out) { RenderYmi(source, options, out); }, error);
  ReportOutputFailure(status, error, target, messages::kOutputNotOpened, messages::kTitleCaution,
                      messenger);
  return status;
}

}  // namespace rubywindow
