// Piecewise conversion between the user's encodings and the passes' Shift_JIS.
#include "common/text_conversion.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/background_task.h"
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

// Places `bad`, counted within the piece that starts at byte `start` of `text`, in the whole
// text: on from the lines and characters before the piece. Only a refused character needs its
// place, so they are counted then, in a second reading; false when that reading fails.
bool PlaceInText(const TextSource& text, std::size_t start, UnencodableCharacter& bad) {
  int lines = 0;
  int column = 0;
  std::vector<char> buffer(std::min(start, kPiece));
  for (std::size_t offset = 0; offset < start;) {
    std::size_t count = text.Read(offset, buffer.data(), std::min(buffer.size(), start - offset));
    if (count == 0 || text.Failed()) return false;
    offset += count;
    std::string_view bytes(buffer.data(), count);
    // Lines are long next to what a jump from one line feed to the next costs.
    for (std::size_t line_feed = bytes.find('\n'); line_feed != std::string_view::npos;
         line_feed = bytes.find('\n')) {
      ++lines;
      column = 0;
      bytes.remove_prefix(line_feed + 1);
    }
    column += static_cast<int>(std::count_if(bytes.begin(), bytes.end(),
                                             [](char byte) { return !IsUtf8Continuation(byte); }));
  }
  if (bad.line == 1) bad.column += column;
  bad.line += lines;
  return true;
}

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

// A Shift_JIS text goes on as it is; only its line ends are looked for.
ToShiftJisResult PassShiftJis(const TextSource& text, const PieceSink& sink) {
  ToShiftJisResult result;
  LineEnds line_ends;
  std::vector<char> buffer(kPiece);
  for (std::size_t offset = 0; offset < text.Size();) {
    std::size_t read = text.Read(offset, buffer.data(), kPiece);
    if (read == 0 || text.Failed()) return Stopped(ToShiftJisResult::Outcome::kReadFailed);
    offset += read;
    std::string_view bytes(buffer.data(), read);
    line_ends.Pass(bytes);
    if (!sink(bytes)) return Stopped(ToShiftJisResult::Outcome::kOutputFailed);
  }
  result.lf_line_ends = line_ends.LfOnly();
  return result;
}

// The tables' conversion of a piece of UTF-8, shared by the thread that reads the text and one
// aside. The piece is cut into blocks at character starts, and each thread converts the next
// block left until none is; the reading thread first does its own work, so that the two are
// busy alike. A block's Shift_JIS goes where its UTF-8 is in the piece (it never takes more
// bytes), and the blocks are then moved up behind one another. A cut is never inside a
// character of well-formed UTF-8, so the tables refuse a piece wherever it is cut.
class SharedConversion {
 public:
  // Starts converting `utf8` into `out`, which has room for as many bytes.
  void Start(std::string_view utf8, char* out, BackgroundTask& aside) {
    utf8_ = utf8;
    out_ = out;
    blocks_ = (utf8.size() + kBlock - 1) / kBlock;
    ends_.assign(blocks_, nullptr);
    next_.store(0, std::memory_order_relaxed);
    aside_started_ = blocks_ > 1 && aside.StartAside([this] { ConvertBlocksLeft(); });
  }
  // Converts the blocks left and waits for the aside's; the end of the Shift_JIS in `out`, or
  // null when the tables refuse a character.
  char* Finish(BackgroundTask& aside) {
    ConvertBlocksLeft();
    if (aside_started_) aside.Wait();
    char* put = out_;
    for (std::size_t block = 0; block < blocks_; ++block) {
      if (ends_[block] == nullptr) return nullptr;
      char* converted = out_ + BlockStart(block);
      auto size = static_cast<std::size_t>(ends_[block] - converted);
      if (put != converted) std::memmove(put, converted, size);
      put += size;
    }
    return put;
  }

 private:
  // Small enough that the two threads end together, large enough that taking one costs nothing.
  static constexpr std::size_t kBlock = std::size_t{1} << 16;

  std::size_t BlockStart(std::size_t block) const {
    std::size_t at = block * kBlock;
    if (at >= utf8_.size()) return utf8_.size();
    // A character has at most three continuation bytes; more are no UTF-8 anyway.
    for (int step = 0; step < 3 && at < utf8_.size() && IsUtf8Continuation(utf8_[at]); ++step) {
      ++at;
    }
    return at;
  }

  void ConvertBlocksLeft() {
    for (;;) {
      std::size_t block = next_.fetch_add(1, std::memory_order_relaxed);
      if (block >= blocks_) return;
      std::size_t start = BlockStart(block);
      std::size_t end = BlockStart(block + 1);
      ends_[block] = TableUtf8ToCp932Into(utf8_.substr(start, end - start), out_ + start);
    }
  }

  std::string_view utf8_;
  char* out_ = nullptr;
  std::size_t blocks_ = 0;
  std::vector<char*> ends_;  // each block's, written by the thread that converted it
  std::atomic<std::size_t> next_{0};
  bool aside_started_ = false;
};

// A piece of a UTF-8 text, cut after its last whole character.
struct Utf8Piece {
  // The end of a character that the piece before cut off, then the bytes read.
  std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(kUtf8CutOff + kPiece);
  std::string_view whole;   // the characters it holds whole
  std::size_t start = 0;    // where they are in the text
  std::size_t cut_off = 0;  // the bytes after them, which the next piece takes
  bool last = false;
  TextEncoding encoding = TextEncoding::kUtf8;  // with its mark only where the text starts
  // What the tables make of it: Shift_JIS never takes more bytes than UTF-8.
  std::unique_ptr<char[]> table_out = std::make_unique_for_overwrite<char[]>(kUtf8CutOff + kPiece);
  char* table_end = nullptr;  // null when the tables refused it or were not tried
};

// Each piece is converted by the tables, while the piece before it is handed on and the next
// one read; what they refuse goes to the converter, which names a character Shift_JIS lacks.
ToShiftJisResult Utf8ToShiftJis(const TextSource& text, TextEncoding encoding,
                                const PieceSink& sink, bool on_trial) {
  using Outcome = ToShiftJisResult::Outcome;
  ToShiftJisResult result;
  LineEnds line_ends;
  std::size_t offset = 0;
  // Reads the piece after `before` (null for the first); false when the text cannot be read.
  auto read = [&](Utf8Piece& piece, const Utf8Piece* before) {
    std::size_t carried = before == nullptr ? 0 : before->cut_off;
    if (carried > 0) {
      std::memcpy(piece.buffer.get(), before->whole.data() + before->whole.size(), carried);
    }
    std::size_t count = text.Read(offset, piece.buffer.get() + carried, kPiece);
    if (count == 0 || text.Failed()) return false;
    piece.start = offset - carried;
    offset += count;
    line_ends.Pass(std::string_view(piece.buffer.get() + carried, count));
    std::string_view bytes(piece.buffer.get(), carried + count);
    piece.last = offset >= text.Size();
    piece.cut_off = piece.last ? 0 : UnfinishedUtf8Tail(bytes);
    piece.whole = bytes.substr(0, bytes.size() - piece.cut_off);
    piece.encoding = before == nullptr ? encoding : TextEncoding::kUtf8;
    return true;
  };
  // On trial, a character Shift_JIS cannot hold is refused only once the rest of the text has
  // been found to be UTF-8; the rest is then only looked at.
  bool refused = false;
  // Gives `sink` the piece in Shift_JIS; the result to stop with, if any.
  auto hand_on = [&](const Utf8Piece& piece) -> std::optional<ToShiftJisResult> {
    std::string_view whole = piece.whole;
    result.non_ascii = result.non_ascii || HasNonAscii(whole);
    std::optional<std::string_view> converted;
    std::optional<std::string> by_converter;
    if (!refused && piece.table_end != nullptr) {
      converted = std::string_view(
          piece.table_out.get(), static_cast<std::size_t>(piece.table_end - piece.table_out.get()));
    }
    // On trial, the tables' conversion is the test: what they take is well-formed UTF-8, and
    // only what they refuse is looked into.
    if (on_trial && !converted && !IsValidUtf8(whole)) return Stopped(Outcome::kNotUtf8);
    if (!converted && !refused) {
      by_converter = ToShiftJis(whole, piece.encoding, &result.bad);
      if (by_converter) converted = *by_converter;
    }
    if (!converted && !refused) {
      if (!PlaceInText(text, piece.start, result.bad)) return Stopped(Outcome::kReadFailed);
      result.outcome = Outcome::kUnencodable;
      if (!on_trial) return result;
      refused = true;
    }
    if (converted && !sink(*converted)) return Stopped(Outcome::kOutputFailed);
    return std::nullopt;
  };
  if (text.Size() == 0) return result;
  std::array<Utf8Piece, 2> pieces;
  SharedConversion conversion;
  BackgroundTask aside;  // after what its jobs use, so that one left running ends first
  Utf8Piece* current = &pieces[0];
  if (!read(*current, nullptr)) return Stopped(Outcome::kReadFailed);
  Utf8Piece* before = nullptr;  // converted, not yet handed on
  for (std::size_t index = 1;; ++index) {
    // The mark is the converter's to drop: the tables take only what follows it.
    bool tables = !refused && current->encoding == TextEncoding::kUtf8;
    if (tables) conversion.Start(current->whole, current->table_out.get(), aside);
    if (before != nullptr) {
      if (std::optional<ToShiftJisResult> stop = hand_on(*before)) return *std::move(stop);
    }
    Utf8Piece* next = &pieces[index % 2];
    bool next_read = !current->last && read(*next, current);
    current->table_end = tables ? conversion.Finish(aside) : nullptr;
    if (current->last || !next_read) {
      if (std::optional<ToShiftJisResult> stop = hand_on(*current)) return *std::move(stop);
      if (!next_read && !current->last) return Stopped(Outcome::kReadFailed);
      break;
    }
    before = current;
    current = next;
  }
  result.lf_line_ends = line_ends.LfOnly();
  return result;
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

std::optional<BrokenUtf8> FindBrokenUtf8(const TextSource& text) {
  // After this many breaks, a text that breaks UTF-8 more often than it holds a well-formed
  // sequence past ASCII has shown itself to be in another encoding.
  constexpr std::size_t kDecisiveBreaks = 1024;
  constexpr std::size_t kShownBytes = 4;
  std::optional<BrokenUtf8> found;
  std::size_t well_formed = 0;
  std::size_t breaks = 0;
  std::size_t lines_before = 0;  // line feeds before the piece, until the first break
  std::vector<char> buffer(kUtf8CutOff + kPiece);
  std::size_t carried = 0;  // the start of a sequence that the last piece cut off
  for (std::size_t offset = 0; offset < text.Size();) {
    std::size_t count = text.Read(offset, buffer.data() + carried, kPiece);
    if (count == 0 || text.Failed()) return std::nullopt;
    std::size_t start = offset - carried;
    offset += count;
    std::string_view bytes(buffer.data(), carried + count);
    std::size_t cut = offset >= text.Size() ? 0 : UnfinishedUtf8Tail(bytes);
    std::size_t end = bytes.size() - cut;
    for (std::size_t at = 0; at < end;) {
      if (static_cast<unsigned char>(bytes[at]) < 0x80) {
        ++at;
        continue;
      }
      if (std::size_t length = Utf8SequenceLength(bytes, at)) {
        ++well_formed;
        at += length;
        continue;
      }
      if (!found) {
        found = BrokenUtf8{};
        found->offset = start + at;
        found->line = 1 + lines_before +
                      static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + at, '\n'));
        // The break runs on to the next character that is whole, or ASCII.
        for (std::size_t i = at; i < bytes.size() && found->bytes.size() < kShownBytes &&
                                 static_cast<unsigned char>(bytes[i]) >= 0x80 &&
                                 (i == at || Utf8SequenceLength(bytes, i) == 0);
             ++i) {
          found->bytes += bytes[i];
        }
      }
      ++at;
      if (++breaks >= kDecisiveBreaks && well_formed < breaks) return found;
    }
    if (!found) {
      lines_before +=
          static_cast<std::size_t>(std::count(bytes.begin(), bytes.begin() + end, '\n'));
    }
    std::memmove(buffer.data(), buffer.data() + end, cut);
    carried = cut;
  }
  if (found) found->mostly_utf8 = well_formed >= 2 * breaks;
  return found;
}

std::string HexBytes(std::string_view bytes) {
  std::string shown;
  for (char byte : bytes) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%s0x%02X", shown.empty() ? "" : " ",
                  static_cast<unsigned char>(byte));
    shown += hex;
  }
  return shown;
}

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
  // A Shift_JIS text shows itself within its first lines as a rule: it is told there, before
  // anything is read in pieces or the conversion tables are made.
  if (on_trial && !HeadMayBeUtf8(text)) return Stopped(ToShiftJisResult::Outcome::kNotUtf8);
  if (encoding == TextEncoding::kShiftJis) return PassShiftJis(text, sink);
  return Utf8ToShiftJis(text, encoding, sink, on_trial);
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
