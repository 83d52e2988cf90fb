// Shift_JIS character classes and the control bytes that working files carry between passes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace common {

// Control bytes written by the marking steps and removed by the clean-up step.
inline constexpr char kBodyStart = 0x0F;  // everything before it is the HTML head
inline constexpr char kAreaStart = 0x11;  // opens a non-ruby area
inline constexpr char kAreaEnd = 0x12;    // closes a non-ruby area

// Bytes of the ruby notation {base/reading}.
inline constexpr char kGroupOpen = '{';
inline constexpr char kGroupSeparator = '/';
inline constexpr char kGroupClose = '}';
inline constexpr char kAlternative = '|';

inline constexpr std::uint16_t kDittoMark = 0x8156;        // 〃
inline constexpr std::uint16_t kRepeatSign = 0x8157;       // 仝
inline constexpr std::uint16_t kIterationMark = 0x8158;    // 々
inline constexpr std::uint16_t kClosingMark = 0x8159;      // 〆
inline constexpr std::uint16_t kLongVowel = 0x815B;        // ー
inline constexpr std::uint16_t kKatakanaKe = 0x8350;       // ケ
inline constexpr std::uint16_t kVu = 0x8394;               // ヴ
inline constexpr std::uint16_t kSmallKa = 0x8395;          // ヵ
inline constexpr std::uint16_t kSmallKe = 0x8396;          // ヶ
inline constexpr std::uint16_t kFirstTargetCode = 0x839F;  // Greek Α; kanji and the rest follow
inline constexpr std::uint16_t kFirstHiragana = 0x829F;    // ぁ
inline constexpr std::uint16_t kLastHiragana = 0x82F1;     // ん
inline constexpr std::uint16_t kLevel1KanjiEnd = 0x989F;   // codes below it are JIS level-1 kanji

// Lead bytes of the kana rows: every full-width hiragana starts with the first (ぁ … ん), every
// full-width katakana with the second (ァ … ヶ).
inline constexpr unsigned char kHiraganaLead = 0x82;
inline constexpr unsigned char kKatakanaLead = 0x83;

// 0x81–0x9F and 0xE0–0xFC start a double-byte character; the next byte, whatever it is,
// belongs to it.
constexpr bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
constexpr bool IsLeadByte(char byte) { return IsLeadByte(static_cast<unsigned char>(byte)); }

// What may follow a lead byte in well-formed text: 0x40–0x7E and 0x80–0xFC. Text is read with
// whatever follows; only what the program writes into its own files (names, dictionary words)
// is held to this.
constexpr bool IsTrailByte(unsigned char byte) {
  return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

constexpr std::uint16_t CodeOf(unsigned char lead, unsigned char trail) {
  return static_cast<std::uint16_t>(lead * 256 + trail);
}

// Characters that receive a reading when they stand in a matched word.
constexpr bool IsRubyTarget(std::uint16_t code) {
  return code >= kFirstTargetCode || code == kDittoMark || code == kRepeatSign ||
         code == kIterationMark || code == kClosingMark || code == kKatakanaKe || code == kSmallKe;
}

constexpr bool IsHiragana(std::uint16_t code) {
  return code >= kFirstHiragana && code <= kLastHiragana;
}

// A text is processed in HTML mode when its first six bytes are "<HTML>" or "<html>"
// (mixed case such as "<Html>" is not).
constexpr bool IsHtmlText(std::string_view text) {
  return text.starts_with("<HTML>") || text.starts_with("<html>");
}

// True when the byte at `offset` (or, at text.size(), the end) starts a character; `boundary`,
// at most `offset`, must be known to start one. A byte that is no lead byte always ends a
// character, so only the run of lead-byte values right before `offset` needs counting: they
// pair up from the end of that character.
inline bool IsCharacterStart(std::string_view text, std::size_t boundary, std::size_t offset) {
  std::size_t run = 0;
  while (offset - run > boundary && IsLeadByte(text[offset - run - 1])) ++run;
  return run % 2 == 0;
}

// The first occurrence of `needle` in `text` at or after `from` (itself a character boundary)
// that starts on a character boundary, or npos. A trail byte is never taken for the start of a
// match. An empty needle is never found.
std::size_t FindAligned(std::string_view text, std::string_view needle, std::size_t from = 0);

// The offset just past the last whole character in text[0, limit): limit itself, or limit - 1
// when that would split a double-byte character.
std::size_t AlignedCut(std::string_view text, std::size_t limit);

}  // namespace common
