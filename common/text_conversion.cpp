// Piecewise conversion between the user's encodings and the passes' Shift_JIS.
#include "common/text_conversion.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/file_replace.h"
#include "common/file_system.h"
#include "common/sjis.h"

namespace common {
namespace {

ToShiftJisResult Stopped(ToShiftJisResult::Outcome outcome) {
  ToShiftJisResult result;
  result.outcome = outcome;
  return result;
}

// Large enough that the converter's set-up costs nothing, small enough that a text of any size
// stays a few megabytes in memory.
constexpr std::size_t kPiece = std::size_t{1} << 20;

bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Where a message points in the text: lines and characters seen so far, so that a character
// refused in a later piece is named by its place in the whole text.
class TextPlace {
 public:
  void Pass(std::string_view utf8) {
    line_ += static_cast<int>(std::count(utf8.begin(), utf8.end(), '\n'));
    std::size_t last_line_end = utf8.rfind('\n');
    if (last_line_end != std::string_view::npos) {
      column_ = 0;
      utf8.remove_prefix(last_line_end + 1);
    }
    column_ += static_cast<int>(std::count_if(utf8.begin(), utf8.end(),
                                              [](char byte) { return !IsUtf8Continuation(byte); }));
  }
  // `bad` counted within the piece that follows what was passed.
  void Place(UnencodableCharacter& bad) const {
    if (bad.line == 1) bad.column += column_;
    bad.line += line_;
  }

 private:
  int line_ = 0;
  int column_ = 0;
};

// Whether a text's lines end in LF alone, seen a piece at a time.
class LineEnds {
 public:
  void Pass(std::string_view bytes) {
    if (bytes.empty()) return;
    if (last_ == '\r' && bytes.front() == '\n') cr_lf_ = true;
    lf_ = lf_ || bytes.find('\n') != std::string_view::npos;
    cr_lf_ = cr_lf_ || bytes.find("\r\n") != std::string_view::npos;
    last_ = bytes.back();
  }
  bool LfOnly() const { return lf_ && !cr_lf_; }

 private:
  char last_ = '\0';
  bool lf_ = false;
  bool cr_lf_ = false;
};

}  // namespace

std::string_view EncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kShiftJis:
      return "Shift_JIS";
    case TextEncoding::kUtf8:
      return "UTF-8";
    case TextEncoding::kUtf8WithBom:
      return "UTF-8 (BOM)";
  }
  return "Shift_JIS";
}

ToShiftJisResult ConvertToShiftJis(const TextSource& text, TextEncoding encoding,
                                   const PieceSink& sink) {
  ToShiftJisResult result;
  LineEnds line_ends;
  TextPlace place;
  std::string piece;
  std::vector<char> buffer(kPiece);
  bool text_start = true;
  for (std::size_t offset = 0; offset < text.Size();) {
    std::size_t read = text.Read(offset, buffer.data(), buffer.size());
    if (read == 0 || text.Failed()) return Stopped(ToShiftJisResult::Outcome::kReadFailed);
    offset += read;
    std::string_view bytes(buffer.data(), read);
    line_ends.Pass(bytes);
    if (encoding == TextEncoding::kShiftJis) {
      if (!sink(bytes)) return Stopped(ToShiftJisResult::Outcome::kOutputFailed);
      continue;
    }
    piece.append(bytes);
    bool last = offset >= text.Size();
    std::size_t keep = last ? 0 : UnfinishedUtf8Tail(piece);
    std::string_view whole = std::string_view(piece).substr(0, piece.size() - keep);
    // The mark is dropped only where the text starts.
    TextEncoding piece_encoding = text_start ? encoding : TextEncoding::kUtf8;
    std::optional<std::string> converted = ToShiftJis(whole, piece_encoding, &result.bad);
    if (!converted) {
      place.Place(result.bad);
      result.outcome = ToShiftJisResult::Outcome::kUnencodable;
      return result;
    }
    if (!sink(*converted)) return Stopped(ToShiftJisResult::Outcome::kOutputFailed);
    place.Pass(whole);
    text_start = false;
    piece.erase(0, whole.size());
  }
  result.lf_line_ends = line_ends.LfOnly();
  return result;
}

bool ConvertFromShiftJis(const TextSource& sjis, const UserEncoding& user, const PieceSink& sink) {
  std::string piece;
  std::vector<char> buffer(kPiece);
  bool text_start = true;
  for (std::size_t offset = 0; offset < sjis.Size();) {
    std::size_t read = sjis.Read(offset, buffer.data(), buffer.size());
    if (read == 0 || sjis.Failed()) return false;
    offset += read;
    bool last = offset >= sjis.Size();
    piece.append(buffer.data(), read);
    // A piece never ends inside a double-byte character or between the CR and LF of a line end.
    std::size_t cut = piece.size();
    if (!last && !IsCharacterStart(piece, 0, cut)) --cut;
    if (!last && cut > 0 && piece[cut - 1] == '\r') --cut;
    std::string_view whole = std::string_view(piece).substr(0, cut);
    // The byte-order mark stands once, before the first piece.
    TextEncoding piece_encoding = user.encoding == TextEncoding::kUtf8WithBom && !text_start
                                      ? TextEncoding::kUtf8
                                      : user.encoding;
    std::string converted = FromShiftJis(whole, piece_encoding);
    if (user.lf_line_ends) converted = CrLfToLf(converted);
    if (!converted.empty() && !sink(converted)) return false;
    if (!converted.empty()) text_start = false;
    piece.erase(0, cut);
  }
  return true;
}

bool WriteForUserAt(const std::filesystem::path& written, const UserEncoding& user,
                    const std::filesystem::path& write_path) {
  std::unique_ptr<FileTextSource> source = FileTextSource::Open(written);
  if (!source) return false;
  std::FILE* out = std::fopen(write_path.c_str(), "wb");
  if (out == nullptr) return false;
  bool converted = ConvertFromShiftJis(*source, user, [out](std::string_view piece) {
    return std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
  });
  return SyncAndClose(out) && converted;
}

bool WriteForUser(const std::filesystem::path& written, const UserEncoding& user,
                  const std::filesystem::path& target) {
  FileReplacement replacement(target);
  if (replacement.Begin() != ReplaceStatus::kOk) return false;
  return WriteForUserAt(written, user, replacement.WritePath()) && replacement.Commit();
}

}  // namespace common
