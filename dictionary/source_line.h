// The grammar of one dictionary source line: "word,reading" with an optional comment after the
// reading. Decides whether a line is skipped, accepted or rejected, and why.
#pragma once

#include <cstddef>
#include <string_view>

namespace dictionary {

// Why a line was rejected; the numbers appear in the build report.
enum class SourceError : int {
  kNone = 0,
  kFirstFieldTooLong = 1,  // 11 to 19 characters
  kMalformed = 2,          // 20 or more characters, a leading ー, or 60 bytes or more
  kNoRubyTarget = 3,
  kPipeWithoutKana = 4,
  kFullWidthSymbolInReading = 6,  // a 0x81/0x82 character that is neither hiragana nor ー
  kForeignCharInReading = 7,
  kSeparatorCountMismatch = 8,
  kReadingStartsHalfWidth = 9,
  kSeparatorAtEnd = 10,
  kHalfWidthInFirstField = 11,  // also a line without a comma
};

// What broke a rejected line, where its number alone does not say it.
enum class SourceFault {
  kOther,
  kNoComma,                 // kHalfWidthInFirstField: the word runs to the end of the line
  kHalfWidthInWord,         // kHalfWidthInFirstField: `stray_byte` stands in the word
  kWordFarTooLong,          // kMalformed: 20 characters or more
  kReadingStartsLongVowel,  // kMalformed: the reading starts with ー
  kEntryTooLong,            // kMalformed: 60 bytes or more
};

enum class SourceLineKind { kSkipped, kAccepted, kRejected };

struct SourceLineCheck {
  SourceLineKind kind = SourceLineKind::kSkipped;
  SourceError error = SourceError::kNone;
  SourceFault fault = SourceFault::kOther;
  int word_length = 0;           // characters of the word, for an accepted line
  std::size_t entry_end = 0;     // bytes of the entry up to the end of its reading (accepted)
  unsigned char stray_byte = 0;  // the byte that broke the word (kHalfWidthInFirstField)
};

// Longest entry (word, comma and reading) that a source may hold, exclusive.
inline constexpr std::size_t kEntryLimit = 60;

// Checks one line as read from the source, with or without its line feed. Comments ("#…") and
// blank lines are skipped; any other line is an entry, accepted or rejected, so a line that
// starts with a single-byte character ("ABC,えーびーしー") is rejected, never dropped. Only the
// bytes up to the first LF or NUL count; when the word runs into that end of the line, `stray_byte`
// is the LF, or 0 for a line that ended without one.
SourceLineCheck CheckSourceLine(std::string_view line);

}  // namespace dictionary
