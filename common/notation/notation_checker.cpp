// The ruby notation check: a byte scan over the text that stops at the first malformed group,
// and the reports that go with it.
#include "common/notation/notation_checker.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>

#include "common/message_format.h"
#include "common/messages.h"
#include "common/encoding/sjis.h"
#include "common/encoding/sjis_blocks.h"

namespace common {

const std::string_view kCheckPassedTitle = messages::kTitleCheckPassed;

namespace {

constexpr int kEnd = -1;  // what the scan sees past the end of the current range
constexpr char kLineFeed = '\n';
constexpr int kMaxBaseLength = 10;
constexpr int kMaxReadingLength = 20;
constexpr std::string_view kBodyTag = "<BODY>";
constexpr std::string_view kBodyTagLower = "<body>";
constexpr std::size_t kHtmlTagLength = 6;  // "<HTML>"
constexpr std::size_t kCountChunk = 1 << 16;

// Characters a reading may hold. Row 5 has no characters below ァ (0x8340); the range starts
// at 0x8301 all the same, so those codes pass too.
constexpr std::uint16_t kHiraganaIteration = 0x8154;  // ゝ
constexpr std::uint16_t kFirstKatakanaCode = 0x8301;
constexpr std::uint16_t kLastKatakana = 0x8396;  // ヶ
// Kanji that may not follow a reading character: 亜 (0x889F) up to 黑 (0xEEEC), the last of
// the extension kanji, and 々.
constexpr std::uint16_t kFirstKanji = 0x889F;
constexpr std::uint16_t kLastKanji = 0xEEEC;

bool IsReadingChar(std::uint16_t code) {
  return IsHiragana(code) || (code >= kFirstKatakanaCode && code <= kLastKatakana) ||
         code == kHiraganaIteration || code == kLongVowel;
}

bool IsKanjiInReading(std::uint16_t code) {
  return (code >= kFirstKanji && code <= kLastKanji) || code == kIterationMark;
}

bool IsLead(int byte) { return byte != kEnd && IsLeadByte(static_cast<unsigned char>(byte)); }

// What a byte asks of the scan between groups: a plain byte is stepped over, a lead byte with
// its trail byte; the rest are looked at one by one.
enum ByteKind : std::uint8_t { kPlainByte, kLeadByte, kLookedAt };
constexpr std::size_t kBlockBytes = 64;
constexpr std::array<ByteKind, 256> kByteKinds = [] {
  std::array<ByteKind, 256> kinds{};
  for (int byte = 0; byte < 256; ++byte) {
    if (IsLeadByte(static_cast<unsigned char>(byte))) {
      kinds[static_cast<std::size_t>(byte)] = kLeadByte;
    }
  }
  for (char byte : {kLineFeed, kGroupOpen, kGroupClose}) {
    kinds[static_cast<unsigned char>(byte)] = kLookedAt;
  }
  return kinds;
}();

// The state of one check: the counters, and a cursor that never passes the end of the range
// being scanned, so a group cut off by the end of the text is never read beyond it.
class Scan {
 public:
  Scan(const TextSource& text, bool report_separators)
      : cursor_(text), report_separators_(report_separators) {}

  NotationCheck& Result() { return result_; }
  // Scans text[from, end); false at the first fault.
  bool Range(std::size_t from, std::size_t end);
  // The end of the text at `end`, which closes a last line that has no line feed as one would.
  bool TextEnd(std::size_t end);

 private:
  std::size_t Here() const { return cursor_.Offset(); }
  int SkipPlain();
  int Peek() { return Here() < end_ ? cursor_.Peek() : kEnd; }
  void Step(std::size_t count = 1) { cursor_.Seek(std::min(Here() + count, end_)); }
  std::optional<std::uint16_t> TakeChar();
  bool Fault(CheckCode code, std::size_t offset);
  bool LineEnd();
  bool Group();
  bool Reading();

  TextCursor cursor_;
  std::size_t end_ = 0;
  bool report_separators_;
  int opening_braces_ = 0;  // on the current line
  int closing_braces_ = 0;
  NotationCheck result_;
};

// Steps over the bytes that need nothing but a step, as many as are loaded at once; returns
// the byte it stops at. Whole blocks of 64 bytes are looked at first, where the first byte
// looked at that starts a character is found without a step per byte.
int Scan::SkipPlain() {
  std::string_view ahead = cursor_.Ahead();
  std::size_t limit = std::min(ahead.size(), end_ - Here());
  const auto* bytes = reinterpret_cast<const unsigned char*>(ahead.data());
  std::size_t i = 0;
  bool trail = false;  // byte i is the trail of a character begun before it
  for (; i + kBlockBytes <= limit; i += kBlockBytes) {
    std::uint64_t starts = CharacterStartsOf64(LeadBytesOf64(bytes + i), trail);
    std::uint64_t looked_at = BytesAmong64(bytes + i, kLineFeed, kGroupOpen, kGroupClose) & starts;
    if (looked_at != 0) {
      Step(i + static_cast<std::size_t>(std::countr_zero(looked_at)));
      return Peek();
    }
  }
  if (trail) ++i;
  while (i < limit) {
    ByteKind kind = kByteKinds[bytes[i]];
    if (kind == kLookedAt) break;
    i += 1 + kind;  // a trail byte beyond the loaded bytes is stepped over unseen all the same
  }
  Step(i);
  return Peek();
}

bool Scan::Range(std::size_t from, std::size_t end) {
  end_ = end;
  cursor_.Seek(from);
  for (int byte = SkipPlain(); byte != kEnd; byte = SkipPlain()) {
    if (byte == kLineFeed) {
      if (!LineEnd()) return false;
    } else if (IsLead(byte)) {
      Step(2);
    } else if (byte == kGroupClose) {
      // A '}' outside a group. Stepping one byte, not two, keeps a '{' or a line feed right
      // after it from going unexamined.
      ++closing_braces_;
      Step();
    } else if (byte == kGroupOpen) {
      ++result_.groups;
      ++opening_braces_;
      if (!Group()) return false;
    } else {
      Step();  // a CR of a CR LF line end is plain text too
    }
  }
  return true;
}

bool Scan::LineEnd() {
  ++result_.lines;
  if (opening_braces_ != closing_braces_) return Fault(CheckCode::kUnbalancedBraces, Here());
  opening_braces_ = 0;
  closing_braces_ = 0;
  Step();
  return true;
}

bool Scan::TextEnd(std::size_t end) {
  if (opening_braces_ != closing_braces_) return Fault(CheckCode::kUnbalancedBraces, end);
  return true;
}

// The scan stands on '{': a base of double-byte characters, '/', then the reading.
bool Scan::Group() {
  Step();
  if (!IsLead(Peek())) return Fault(CheckCode::kNoBaseAfterBrace, Here() + 1);
  int base_length = 0;
  while (IsLead(Peek())) {
    ++base_length;
    Step(2);
  }
  if (Peek() != kGroupSeparator) return Fault(CheckCode::kBaseNotEnded, Here() + 1);
  if (base_length > kMaxBaseLength) return Fault(CheckCode::kBaseTooLong, Here() + 1);
  Step();
  return Reading();
}

// Kana up to the closing '}', alternatives split by '|'. A reading that meets any other
// character is code 6 there: stepping past it as if it were the '}' would let the group run on
// over a line feed or a second '/' and pass, and the passes would then read the text after it
// as part of the group.
bool Scan::Reading() {
  if (!IsLead(Peek())) return Fault(CheckCode::kReadingNotKana, Here() + 1);
  std::size_t looked_at = Here();
  std::optional<std::uint16_t> current = TakeChar();
  if (!current) return Fault(CheckCode::kReadingNotKana, looked_at + 1);
  int reading_length = 0;
  while (IsReadingChar(*current)) {
    ++reading_length;
    int next = Peek();
    if (!IsLead(next)) {
      if (next == kGroupClose) {
        ++closing_braces_;
        looked_at = Here();
        break;
      }
      if (next != kAlternative) return Fault(CheckCode::kReadingNotKana, Here() + 1);
      if (report_separators_) return Fault(CheckCode::kSeparatorFound, Here() + 1);
      Step();
    }
    looked_at = Here();
    current = TakeChar();
    if (!current) return Fault(CheckCode::kReadingNotKana, looked_at + 1);
    if (IsKanjiInReading(*current)) return Fault(CheckCode::kKanjiInReading, looked_at + 1);
  }
  if (reading_length == 0) return Fault(CheckCode::kNoReading, looked_at + 1);
  if (reading_length > kMaxReadingLength) return Fault(CheckCode::kReadingTooLong, looked_at + 1);
  if (!IsReadingChar(*current)) return Fault(CheckCode::kReadingNotKana, looked_at + 1);
  Step();
  return true;
}

// The character at the cursor, stepped past; nullopt at the end of the range, also for a lead
// byte whose trail byte would lie beyond it (the group then runs off the end of the text).
std::optional<std::uint16_t> Scan::TakeChar() {
  int first = Peek();
  if (first == kEnd) return std::nullopt;
  Step();
  if (!IsLead(first)) return static_cast<std::uint16_t>(first);
  int trail = Peek();
  if (trail == kEnd) return std::nullopt;
  Step();
  return CodeOf(static_cast<unsigned char>(first), static_cast<unsigned char>(trail));
}

bool Scan::Fault(CheckCode code, std::size_t offset) {
  result_.faulty = true;
  result_.code = code;
  result_.fault_offset = offset;
  return false;
}

bool StartsAsHtml(const TextSource& text) {
  char head[kHtmlTagLength];
  std::size_t n = text.Read(0, head, sizeof head);
  return IsHtmlText(std::string_view(head, n));
}

// Where an HTML text's body begins: the first "<BODY>", else the first "<body>"; the end of the
// text when it has neither, so that nothing is scanned.
std::size_t BodyStart(TextCursor& cursor, std::size_t size) {
  cursor.Seek(0);
  std::size_t body = cursor.Find(kBodyTag);
  if (body == std::string_view::npos) body = cursor.Find(kBodyTagLower);
  return body == std::string_view::npos ? size : body;
}

// Scans from `point` to the end of the text, leaving out the non-ruby areas when they are on.
// An empty start or end string counts as absent.
void ScanRanges(Scan& scan, TextCursor& cursor, std::size_t point, std::size_t size,
                const NonRubyAreas& areas) {
  bool split = areas.enabled && !areas.start.empty();
  while (point < size) {
    std::size_t opening = std::string_view::npos;
    if (split) {
      cursor.Seek(point);
      opening = cursor.Find(areas.start);
    }
    if (opening == std::string_view::npos) {
      scan.Range(point, size);  // the result holds any fault; nothing follows either way
      return;
    }
    if (!scan.Range(point, opening)) return;
    // The end string is looked for from the start string on: one in front of it closes no area,
    // and taking it would scan the stretch between the two a second time.
    cursor.Seek(opening);
    std::size_t closing = cursor.Find(areas.end);
    point = closing == std::string_view::npos ? size : closing + areas.end.size();
  }
}

std::string_view FaultText(CheckCode code) {
  switch (code) {
    case CheckCode::kReadingTooLong:
      return messages::kReadingTooLong;
    case CheckCode::kBaseTooLong:
      return messages::kBaseTooLong;
    case CheckCode::kUnbalancedBraces:
      return messages::kUnbalancedBraces;
    case CheckCode::kNoBaseAfterBrace:
      return messages::kNoBaseAfterBrace;
    case CheckCode::kBaseNotEnded:
      return messages::kBaseNotEnded;
    case CheckCode::kReadingNotKana:
      return messages::kReadingNotKana;
    case CheckCode::kNoReading:
      return messages::kNoReading;
    case CheckCode::kKanjiInReading:
      return messages::kKanjiInReading;
    case CheckCode::kSeparatorFound:
      return messages::kSeparatorFound;
  }
  return {};  // not a check code
}

}  // namespace

NotationCheck CheckNotation(const TextSource& text, std::size_t start, bool report_separators,
                            const NonRubyAreas& areas) {
  Scan scan(text, report_separators);
  scan.Result().html_mode = StartsAsHtml(text);
  TextCursor cursor(text);
  std::size_t size = text.Size();
  std::size_t point = scan.Result().html_mode ? BodyStart(cursor, size) : 0;
  ScanRanges(scan, cursor, std::max(point, start), size, areas);
  if (!scan.Result().faulty) scan.TextEnd(size);
  scan.Result().read_failed = text.Failed();
  return scan.Result();
}

void ReportFault(CheckCode code, int line, Messenger& messenger) {
  messenger.Tell({std::string(messages::kTitleFault),
                  FormatMessage(FaultText(code), {std::int64_t{line}}), Icon::kWarning});
}

int LogicalLineOfFault(const TextSource& text, std::size_t fault_offset) {
  if (fault_offset <= 1) return 1;
  std::size_t limit = std::min(fault_offset - 1, text.Size());
  std::string chunk(kCountChunk, '\0');
  int line = 1;
  for (std::size_t offset = 0; offset < limit;) {
    std::size_t n = text.Read(offset, chunk.data(), std::min(kCountChunk, limit - offset));
    if (n == 0) break;
    line += static_cast<int>(std::count(chunk.begin(), chunk.begin() + n, kLineFeed));
    offset += n;
  }
  return line;
}

std::string CheckPassedText(std::string_view document_path_utf8, int start_line, int start_column,
                            int line_count, int group_count) {
  return FormatMessage(messages::kCheckPassed,
                       {document_path_utf8, std::int64_t{start_line}, std::int64_t{start_column},
                        std::int64_t{line_count}, std::int64_t{group_count}});
}

}  // namespace common
