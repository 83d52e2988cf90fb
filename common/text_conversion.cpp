// Piecewise conversion between the user's encodings and the passes' Shift_JIS.
#include "common/text_conversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "common/cp932_tables.h"
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
// The most bytes of a UTF-8 character that the end of a piece can cut off.
constexpr std::size_t kUtf8CutOff = 3;
// What a trial looks at first.
constexpr std::size_t kTrialHead = std::size_t{1} << 12;

// Whether the first bytes of `text` are UTF-8, leaving out a character the look cuts off.
bool HeadMayBeUtf8(const TextSource& text) {
  char head[kTrialHead];
  std::size_t read = text.Read(0, head, sizeof head);
  std::string_view bytes(head, read);
  if (read < text.Size()) bytes.remove_suffix(UnfinishedUtf8Tail(bytes));
  return IsValidUtf8(bytes);
}

bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// Where a message points in the text: lines and characters seen so far, so that a character
// refused in a later piece is named by its place in the whole text.
class TextPlace {
 public:
  void Pass(std::string_view utf8) {
    if (utf8.empty()) return;
    // Lines are long next to what a jump from one line feed to the next costs.
    const char* end = utf8.data() + utf8.size();
    const char* after_last = nullptr;
    for (const char* at = utf8.data();; ++line_) {
      const auto* line_feed =
          static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
      if (line_feed == nullptr) break;
      at = after_last = line_feed + 1;
    }
    if (after_last != nullptr) {
      column_ = 0;
      utf8.remove_prefix(static_cast<std::size_t>(after_last - utf8.data()));
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

// Leaves out the CR of every CR LF in the first `size` bytes of `bytes`, in place (a lone CR
// stays); the new size.
std::size_t DropCrBeforeLf(char* bytes, std::size_t size) {
  char* put = bytes;
  const char* at = bytes;
  const char* end = bytes + size;
  while (at < end) {
    const auto* cr =
        static_cast<const char*>(std::memchr(at, '\r', static_cast<std::size_t>(end - at)));
    const char* stop = cr == nullptr ? end : cr;
    std::memmove(put, at, static_cast<std::size_t>(stop - at));
    put += stop - at;
    at = stop;
    if (cr == nullptr) break;
    if (cr + 1 < end && cr[1] == '\n') {
      ++at;  // the LF comes next, without its CR
      continue;
    }
    *put++ = '\r';
    ++at;
  }
  return static_cast<std::size_t>(put - bytes);
}

// `sjis` in `encoding`, the byte-order mark first at the start of the text: the piece itself
// for Shift_JIS, else converted into `room` (large enough for the mark and three bytes for each
// byte of the piece, and one more).
std::string_view ConvertPiece(std::string_view sjis, TextEncoding encoding, bool text_start,
                              std::vector<char>& room) {
  if (encoding == TextEncoding::kShiftJis) return sjis;
  char* put = room.data();
  if (encoding == TextEncoding::kUtf8WithBom && text_start) {
    std::memcpy(put, kUtf8Bom.data(), kUtf8Bom.size());
    put += kUtf8Bom.size();
  }
  if (char* end = TableCp932ToUtf8Into(sjis, put)) {
    return std::string_view(room.data(), static_cast<std::size_t>(end - room.data()));
  }
  // Bytes the tables cannot take (never in what the passes write) go to iconv, which puts a
  // replacement character in their place.
  std::string lossy = Cp932ToUtf8Lossy(sjis);
  std::memcpy(put, lossy.data(), lossy.size());
  put += lossy.size();
  return std::string_view(room.data(), static_cast<std::size_t>(put - room.data()));
}

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
                                   const PieceSink& sink, bool on_trial) {
  using Outcome = ToShiftJisResult::Outcome;
  // A Shift_JIS text shows itself within its first lines as a rule: it is told there, before
  // anything is read in pieces or the conversion tables are made.
  if (on_trial && !HeadMayBeUtf8(text)) return Stopped(Outcome::kNotUtf8);
  ToShiftJisResult result;
  // On trial, a character Shift_JIS cannot hold is refused only once the rest of the text has
  // been found to be UTF-8; the rest is then only looked at.
  bool refused = false;
  LineEnds line_ends;
  TextPlace place;
  // What is read goes behind the end of a character the last piece cut off (at most three
  // bytes), and what the tables make of it into `table_out`: both are kept from piece to piece.
  std::vector<char> buffer(kUtf8CutOff + kPiece);
  std::size_t carried = 0;
  std::vector<char> table_out;
  bool text_start = true;
  for (std::size_t offset = 0; offset < text.Size();) {
    std::size_t read = text.Read(offset, buffer.data() + carried, kPiece);
    if (read == 0 || text.Failed()) return Stopped(ToShiftJisResult::Outcome::kReadFailed);
    offset += read;
    std::string_view bytes(buffer.data() + carried, read);
    line_ends.Pass(bytes);
    if (encoding == TextEncoding::kShiftJis) {
      if (!sink(bytes)) return Stopped(ToShiftJisResult::Outcome::kOutputFailed);
      continue;
    }
    std::string_view piece(buffer.data(), carried + read);
    bool last = offset >= text.Size();
    std::size_t keep = last ? 0 : UnfinishedUtf8Tail(piece);
    std::string_view whole = piece.substr(0, piece.size() - keep);
    result.non_ascii = result.non_ascii || HasNonAscii(whole);
    std::optional<std::string_view> converted;
    std::optional<std::string> by_converter;
    // On trial, the tables' conversion is the test: what they take is well-formed UTF-8, and
    // only what they refuse is looked into.
    if (on_trial && !refused) {
      // Shift_JIS never takes more bytes than UTF-8 for the same characters.
      table_out.resize(std::max(table_out.size(), whole.size()));
      if (char* end = TableUtf8ToCp932Into(whole, table_out.data())) {
        converted =
            std::string_view(table_out.data(), static_cast<std::size_t>(end - table_out.data()));
      }
    }
    if (on_trial && !converted && !IsValidUtf8(whole)) return Stopped(Outcome::kNotUtf8);
    if (!converted && !refused) {
      // The mark is dropped only where the text starts.
      TextEncoding piece_encoding = text_start ? encoding : TextEncoding::kUtf8;
      by_converter = ToShiftJis(whole, piece_encoding, &result.bad);
      if (by_converter) converted = *by_converter;
    }
    if (!converted && !refused) {
      place.Place(result.bad);
      result.outcome = Outcome::kUnencodable;
      if (!on_trial) return result;
      refused = true;
    }
    if (converted && !sink(*converted)) return Stopped(Outcome::kOutputFailed);
    place.Pass(whole);
    text_start = false;
    carried = keep;
    std::memmove(buffer.data(), buffer.data() + whole.size(), carried);
  }
  result.lf_line_ends = line_ends.LfOnly();
  return result;
}

ShiftJisToUser::ShiftJisToUser(const UserEncoding& user) : user_(user) {}

bool ShiftJisToUser::Take(std::string_view bytes, bool last, const PieceSink& sink) {
  // The piece goes behind the bytes held back from the last one (at most a lead byte and a CR);
  // the buffers are kept from piece to piece, so nothing is allocated once they have grown.
  held_.resize(carried_ + bytes.size());
  if (!bytes.empty()) std::memcpy(held_.data() + carried_, bytes.data(), bytes.size());
  std::string_view piece(held_.data(), held_.size());
  // A piece never ends inside a double-byte character or between the CR and LF of a line end.
  std::size_t cut = piece.size();
  if (!last && !IsCharacterStart(piece, 0, cut)) --cut;
  if (!last && cut > 0 && piece[cut - 1] == '\r') --cut;
  std::string_view whole = piece.substr(0, cut);
  std::string_view out;
  if (!whole.empty()) {
    if (user_.encoding != TextEncoding::kShiftJis) {
      converted_.resize(kUtf8Bom.size() + whole.size() * 3 + 1);
    }
    out = ConvertPiece(whole, user_.encoding, text_start_, converted_);
    if (user_.lf_line_ends) {
      // The piece is written over in place; a Shift_JIS piece is first put where it may be.
      if (out.data() != converted_.data()) {
        converted_.assign(out.begin(), out.end());
        out = std::string_view(converted_.data(), out.size());
      }
      out = out.substr(0, DropCrBeforeLf(converted_.data(), out.size()));
    }
  }
  carried_ = piece.size() - cut;
  if (carried_ > 0) std::memmove(held_.data(), held_.data() + cut, carried_);
  if (out.empty()) return true;
  text_start_ = false;
  return sink(out);
}

bool ConvertFromShiftJis(const TextSource& sjis, const UserEncoding& user, const PieceSink& sink) {
  ShiftJisToUser converter(user);
  std::vector<char> buffer(kPiece);
  for (std::size_t offset = 0; offset < sjis.Size();) {
    std::size_t read = sjis.Read(offset, buffer.data(), buffer.size());
    if (read == 0 || sjis.Failed()) return false;
    offset += read;
    if (!converter.Take(std::string_view(buffer.data(), read), offset >= sjis.Size(), sink)) {
      return false;
    }
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
