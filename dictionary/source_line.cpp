// Checking one dictionary source line, character by character.
#include "dictionary/source_line.h"

#include "common/encoding/sjis.h"
#include "common/encoding/sjis_reader.h"

namespace dictionary {
namespace {

using common::SjisChar;
using common::SjisReader;

constexpr int kMaxWordChars = 10;
constexpr int kMalformedWordChars = 20;  // from here on the word is reported as malformed
constexpr char kFieldSeparator = ',';
constexpr char kCommentStart = '#';
constexpr char kSegmentMark = '*';
constexpr char kAlternativeMark = '|';
// Lead bytes of full-width symbols and of hiragana: such a character in a reading is reported
// apart from other foreign characters.
constexpr unsigned char kSymbolLead = 0x81;

SourceLineCheck Rejected(SourceError error, SourceFault fault = SourceFault::kOther) {
  SourceLineCheck check;
  check.kind = SourceLineKind::kRejected;
  check.error = error;
  check.fault = fault;
  return check;
}

// A line of blanks only says nothing, like an empty one.
bool IsBlank(std::string_view body) {
  return body.find_first_not_of(std::string_view(" \t\r")) == std::string_view::npos;
}

// Where a '*' must not stand: before a space, a comment or the end of the line.
bool AtReadingEnd(const SjisReader& in) {
  return in.AtEnd() || in.AtByte(' ') || in.AtByte(kCommentStart);
}

bool AtSecondFieldEnd(const SjisReader& in) {
  return AtReadingEnd(in) || in.AtByte(kFieldSeparator);
}

bool StartsDoubleByte(SjisChar c) { return common::IsLeadByte(c.bytes[0]); }

bool IsReadingKana(SjisChar c) {
  return c.IsDoubleByte() && (common::IsHiragana(c.Code()) || c.Code() == common::kLongVowel);
}

// A double-byte character that has no place in a reading; a lead byte cut off by the end of
// the line is judged by its lead byte alike.
SourceError ForeignDoubleByte(SjisChar c) {
  unsigned char lead = static_cast<unsigned char>(c.bytes[0]);
  return lead == kSymbolLead || lead == common::kHiraganaLead
             ? SourceError::kFullWidthSymbolInReading
             : SourceError::kForeignCharInReading;
}

struct WordScan {
  bool complete = false;  // reached the comma with double-byte characters only
  int chars = 0;
  int targets = 0;
  unsigned char stray_byte = 0;
};

WordScan ScanWord(SjisReader& in, unsigned char line_end) {
  WordScan word;
  while (!in.AtByte(kFieldSeparator)) {
    if (in.AtEnd()) {
      word.stray_byte = line_end;
      return word;
    }
    SjisChar c = in.Peek();
    if (!c.IsDoubleByte()) {
      // A lead byte without its trail byte ends the line as well.
      word.stray_byte = StartsDoubleByte(c) ? line_end : static_cast<unsigned char>(c.bytes[0]);
      return word;
    }
    // A lead byte before a byte that cannot end a character (a comma, a space) is a broken
    // character, not a word: the byte after it is what stands in the field.
    if (!common::IsTrailByte(static_cast<unsigned char>(c.bytes[1]))) {
      word.stray_byte = static_cast<unsigned char>(c.bytes[1]);
      return word;
    }
    in.Next();
    ++word.chars;
    if (common::IsRubyTarget(c.Code())) ++word.targets;
  }
  word.complete = true;
  return word;
}

// The first character of the reading: a leading '*' gives the first target an empty reading.
SourceError ScanReadingStart(SjisReader& in, int& separators) {
  if (in.AtByte(kSegmentMark)) {
    in.Next();
    ++separators;
    return AtReadingEnd(in) ? SourceError::kSeparatorAtEnd : SourceError::kNone;
  }
  if (in.AtEnd() || !StartsDoubleByte(in.Peek())) return SourceError::kReadingStartsHalfWidth;
  SjisChar c = in.Next();
  if (c.IsDoubleByte() && c.Code() == common::kLongVowel) {
    return SourceError::kMalformed;  // told apart by the caller: the reading starts with ー
  }
  if (c.IsDoubleByte() && common::IsHiragana(c.Code())) return SourceError::kNone;
  return ForeignDoubleByte(c);
}

SourceError ScanReadingRest(SjisReader& in, int& separators) {
  bool pipe_pending = false;  // a '|' still waits for its kana
  while (!AtSecondFieldEnd(in)) {
    if (in.AtByte(kAlternativeMark)) {
      in.Next();
      if (pipe_pending) return SourceError::kPipeWithoutKana;
      pipe_pending = true;
    } else if (in.AtByte(kSegmentMark)) {
      in.Next();
      ++separators;
      pipe_pending = false;
      if (AtReadingEnd(in)) return SourceError::kSeparatorAtEnd;
    } else {
      SjisChar c = in.Next();
      if (!StartsDoubleByte(c)) return SourceError::kForeignCharInReading;
      if (!IsReadingKana(c)) return ForeignDoubleByte(c);
      pipe_pending = false;
    }
  }
  return pipe_pending ? SourceError::kPipeWithoutKana : SourceError::kNone;
}

}  // namespace

SourceLineCheck CheckSourceLine(std::string_view line) {
  std::size_t end = line.find_first_of(std::string_view("\n\0", 2));
  unsigned char line_end =
      end == std::string_view::npos ? 0 : static_cast<unsigned char>(line[end]);
  std::string_view body = line.substr(0, end);
  if (body.starts_with(kCommentStart) || IsBlank(body)) return SourceLineCheck{};

  SjisReader in(body);
  WordScan word = ScanWord(in, line_end);
  if (!word.complete) {
    bool comma = body.find(kFieldSeparator) != std::string_view::npos;
    SourceLineCheck check = Rejected(SourceError::kHalfWidthInFirstField,
                                     comma ? SourceFault::kHalfWidthInWord : SourceFault::kNoComma);
    check.stray_byte = word.stray_byte;
    return check;
  }
  if (word.chars >= kMalformedWordChars) {
    return Rejected(SourceError::kMalformed, SourceFault::kWordFarTooLong);
  }
  if (word.chars > kMaxWordChars) return Rejected(SourceError::kFirstFieldTooLong);
  if (word.targets == 0) return Rejected(SourceError::kNoRubyTarget);
  in.Next();  // the comma

  int separators = 0;
  SourceError error = ScanReadingStart(in, separators);
  if (error == SourceError::kNone) error = ScanReadingRest(in, separators);
  if (error == SourceError::kMalformed) {
    return Rejected(error, SourceFault::kReadingStartsLongVowel);
  }
  if (error != SourceError::kNone) return Rejected(error);
  if (in.Offset() >= kEntryLimit)
    return Rejected(SourceError::kMalformed, SourceFault::kEntryTooLong);
  if (separators + 1 != word.targets) return Rejected(SourceError::kSeparatorCountMismatch);

  SourceLineCheck check;
  check.kind = SourceLineKind::kAccepted;
  check.word_length = word.chars;
  check.entry_end = in.Offset();
  return check;
}

}  // namespace dictionary
