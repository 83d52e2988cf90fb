// Non-ruby marking, piece by piece, as the file step and as a function over text in memory.
#include "engine/markings/non_ruby_marking.h"

#include <algorithm>
#include <memory>

#include "common/platform/file_system.h"
#include "common/encoding/sjis.h"
#include "common/encoding/text_source.h"

namespace engine {
namespace {

constexpr std::string_view kBodyTags[] = {"<BODY>", "<body>"};
constexpr std::size_t kPieceBlockBytes = 1 << 16;
// The marked text is written in blocks of about this size.
constexpr std::size_t kMarkedBlockBytes = 1 << 16;

// Whether marking the file may change it: outside HTML mode the marker changes only where the
// start or the end string stands, so a text that holds neither (the usual case) is marked by its
// name alone. True whenever that is not sure.
bool MayBeMarked(const std::filesystem::path& path, const common::NonRubyAreas& areas,
                 bool html_mode) {
  if (html_mode) return true;
  if (!areas.enabled) return false;
  std::unique_ptr<common::FileTextSource> text = common::FileTextSource::Open(path);
  if (!text) return true;  // the marking itself says what is wrong
  for (std::string_view string : {std::string_view(areas.start), std::string_view(areas.end)}) {
    // The text is searched as it lies on the disk, with CR LF line ends.
    if (string.find_first_of("\r\n") != std::string_view::npos) return true;
    if (common::TextCursor(*text).Find(string) != std::string_view::npos) return true;
  }
  return text->Failed();
}

}  // namespace

std::size_t FirstPieceLength(std::string_view text) {
  std::size_t line_feed = text.substr(0, kMaxPieceBytes).find('\n');
  if (line_feed != std::string_view::npos) return line_feed + 1;
  if (text.size() <= kMaxPieceBytes) return text.size();
  return common::AlignedCut(text, kMaxPieceBytes);
}

void ForEachPiece(common::TextReader& in, const std::function<void(std::string_view)>& take) {
  // The text is read in blocks; a piece is decided once a full piece and one byte more (which
  // tells whether its last character is cut) are ahead, or the text has ended.
  std::string block;
  std::size_t at = 0;  // the next piece starts here
  bool ended = false;
  for (;;) {
    if (!ended && block.size() - at <= kMaxPieceBytes) {
      block.erase(0, at);
      at = 0;
      ended = !in.ReadBlock(block, kPieceBlockBytes);
      continue;
    }
    std::string_view rest = std::string_view(block).substr(at);
    if (rest.empty()) return;
    std::size_t length = FirstPieceLength(rest);
    take(rest.substr(0, length));
    at += length;
  }
}

NonRubyMarker::NonRubyMarker(const common::NonRubyAreas& areas, bool html_mode)
    : areas_(areas), waiting_for_body_(html_mode) {}

void NonRubyMarker::Mark(std::string_view piece, std::string& out) {
  bool has_line_feed = !piece.empty() && piece.back() == '\n';
  std::string_view rest = has_line_feed ? piece.substr(0, piece.size() - 1) : piece;
  if (waiting_for_body_) rest = MarkBodyStart(rest, out);

  // The start string is looked for first, so a start string later in the line wins over an
  // end string before it. FindAligned never finds an empty string, so the loop always ends.
  while (areas_.enabled && !waiting_for_body_) {
    std::size_t start = common::FindAligned(rest, areas_.start);
    if (start != std::string_view::npos) {
      out.append(rest.substr(0, start));
      inside_ = true;
      out += common::kAreaStart;
      if (!areas_.delete_start) out += areas_.start;
      rest.remove_prefix(start + areas_.start.size());
      continue;
    }
    std::size_t end = common::FindAligned(rest, areas_.end);
    if (end == std::string_view::npos) break;
    WriteText(rest.substr(0, end), out);
    inside_ = false;
    if (!areas_.delete_end) out += areas_.end;
    out += common::kAreaEnd;
    rest.remove_prefix(end + areas_.end.size());
  }
  WriteText(rest, out);
  if (has_line_feed) out += '\n';
}

// Writes the head through the first body tag of the piece and the body-start marker after it.
// Returns what is left of the piece (all of it while the body has not begun).
std::string_view NonRubyMarker::MarkBodyStart(std::string_view piece, std::string& out) {
  for (std::string_view tag : kBodyTags) {
    std::size_t at = common::FindAligned(piece, tag);
    if (at == std::string_view::npos) continue;
    out.append(piece.substr(0, at + tag.size()));
    out += common::kBodyStart;
    waiting_for_body_ = false;
    return piece.substr(at + tag.size());
  }
  return piece;
}

// Markers that the text itself holds would end or open an area early, so none is copied from
// inside an area.
void NonRubyMarker::WriteText(std::string_view text, std::string& out) const {
  if (!inside_) {
    out.append(text);
    return;
  }
  for (char byte : text) {
    if (byte != common::kAreaStart && byte != common::kAreaEnd) out += byte;
  }
}

std::string MarkNonRubyAreas(std::string_view text, const common::NonRubyAreas& areas,
                             bool html_mode) {
  NonRubyMarker marker(areas, html_mode);
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  while (!text.empty()) {
    std::size_t length = FirstPieceLength(text);
    marker.Mark(text.substr(0, length), out);
    text.remove_prefix(length);
  }
  return out;
}

NonRubyStatus RunNonRubyMarking(const common::WorkDir& work, std::string_view input,
                                const common::NonRubyAreas& areas, bool html_mode) {
  if (!MayBeMarked(work.File(input), areas, html_mode)) {
    common::RemoveFile(work.File(common::kNonRubyMarked));
    return common::RenameFile(work.File(input), work.File(common::kNonRubyMarked))
               ? NonRubyStatus::kOk
               : NonRubyStatus::kNotRenamed;
  }
  common::TextReader in;
  if (!in.Open(work.File(input))) return NonRubyStatus::kInputFailed;
  common::TextWriter out;
  if (!out.Open(work.File(common::kNonRubyMarked))) return NonRubyStatus::kOutputFailed;

  NonRubyMarker marker(areas, html_mode);
  std::string marked;
  ForEachPiece(in, [&](std::string_view piece) {
    marker.Mark(piece, marked);
    if (marked.size() >= kMarkedBlockBytes) {
      out.Write(marked);
      marked.clear();
    }
  });
  out.Write(marked);
  if (!out.Close()) return NonRubyStatus::kOutputFailed;
  if (!in.Close()) return NonRubyStatus::kInputFailed;
  return NonRubyStatus::kOk;
}

}  // namespace engine
