// Line-and-field marking, piece by piece, as the file step and as a function over text in
// memory.
#include "engine/markings/line_field_marking.h"

#include <cstring>

#include "common/encoding/sjis.h"
#include "common/encoding/text_file.h"
#include "engine/markings/non_ruby_marking.h"

namespace engine {
namespace {

constexpr char kLineFeed = '\n';

bool EndsLine(std::string_view text) { return !text.empty() && text.back() == kLineFeed; }

}  // namespace

LineFieldMarker::LineFieldMarker(const LineFieldOptions& options)
    : mode_(static_cast<LineFieldMode>(options.mode)),
      mark_(options.mark),
      delete_mark_(options.delete_mark),
      separator_(options.separator.empty() ? '\0' : options.separator[0]),
      bounds_(FieldBoundsOf(options)) {}

void LineFieldMarker::Mark(std::string_view piece, std::string& out) {
  if (state_ != State::kLineStart) {
    MarkRest(piece, out);
    return;
  }
  if (mode_ == LineFieldMode::kFieldsOnly) {
    field_ = 0;
    OpenField(out);
    MarkRest(piece, out);
    return;
  }
  // The mark is compared once the line holds as many bytes as the mark, or has ended.
  head_.append(piece);
  if (head_.size() < mark_.size() && !EndsLine(head_)) return;
  std::string head = std::move(head_);
  head_.clear();
  StartLine(head, out);
}

void LineFieldMarker::Finish(std::string& out) {
  if (!head_.empty()) {
    std::string head = std::move(head_);
    head_.clear();
    StartLine(head, out);
  }
  if (state_ == State::kOutsideLine) out += common::kAreaEnd;
  if (state_ == State::kFields) CloseField(out);
  state_ = State::kLineStart;
}

void LineFieldMarker::StartLine(std::string_view head, std::string& out) {
  if (!head.starts_with(mark_)) {
    out += common::kAreaStart;
    state_ = State::kOutsideLine;
    MarkRest(head, out);
    return;
  }
  if (!delete_mark_) out += mark_;
  head.remove_prefix(mark_.size());
  if (mode_ == LineFieldMode::kLinesOnly) {
    state_ = State::kWholeLine;
  } else {
    field_ = 0;
    OpenField(out);
  }
  MarkRest(head, out);
}

void LineFieldMarker::MarkRest(std::string_view text, std::string& out) {
  if (state_ == State::kFields) {
    MarkFields(text, out);
    return;
  }
  out.append(text);
  if (!EndsLine(text)) return;
  if (state_ == State::kOutsideLine) out += common::kAreaEnd;  // after the line feed
  state_ = State::kLineStart;
}

// The separator is a single-byte character, but it may equal a trail byte ('\\' in 表), so a
// hit counts only on a character boundary.
void LineFieldMarker::MarkFields(std::string_view text, std::string& out) {
  std::size_t at = 0;
  std::size_t written = 0;
  while (at < text.size()) {
    const void* hit = std::memchr(text.data() + at, separator_, text.size() - at);
    if (!hit) break;
    std::size_t found = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    if (common::IsCharacterStart(text, at, found)) {
      out.append(text.substr(written, found - written));
      CloseField(out);
      out += separator_;
      OpenField(out);
      written = found + 1;
    }
    at = found + 1;
  }
  out.append(text.substr(written));
  if (!EndsLine(text)) return;
  CloseField(out);  // the line feed belongs to the last field
  state_ = State::kLineStart;
}

void LineFieldMarker::OpenField(std::string& out) {
  if (field_ <= kLastField) ++field_;  // every field beyond the last number is outside alike
  state_ = State::kFields;
  field_outside_ = field_ < bounds_.low || field_ > bounds_.high;
  if (field_outside_) out += common::kAreaStart;
}

void LineFieldMarker::CloseField(std::string& out) {
  if (field_outside_) out += common::kAreaEnd;
  field_outside_ = false;
}

std::string MarkLinesAndFields(std::string_view text, const LineFieldOptions& options) {
  LineFieldMarker marker(options);
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  while (!text.empty()) {
    std::size_t length = FirstPieceLength(text);
    marker.Mark(text.substr(0, length), out);
    text.remove_prefix(length);
  }
  marker.Finish(out);
  return out;
}

LineFieldStatus RunLineFieldMarking(const common::WorkDir& work, const LineFieldOptions& options) {
  common::TextReader in;
  if (!in.Open(work.File(common::kPreparedText))) return LineFieldStatus::kInputFailed;
  common::TextWriter out;
  if (!out.Open(work.File(common::kLineFieldMarked))) return LineFieldStatus::kOutputFailed;

  LineFieldMarker marker(options);
  std::string marked;
  ForEachPiece(in, [&](std::string_view piece) {
    marked.clear();
    marker.Mark(piece, marked);
    out.Write(marked);
  });
  marked.clear();
  marker.Finish(marked);
  out.Write(marked);
  if (!out.Close()) return LineFieldStatus::kOutputFailed;
  if (!in.Close()) return LineFieldStatus::kInputFailed;
  return LineFieldStatus::kOk;
}

}  // namespace engine
