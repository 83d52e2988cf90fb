// Katakana to hiragana for YMI readings. Full-width katakana pair with their hiragana through
// the kana table; half-width ones go through a table of their own.
#include "rubywindow/to_hiragana.h"

#include <array>
#include <cstdint>
#include <optional>

#include "common/encoding/cp932.h"
#include "common/encoding/sjis.h"
#include "rubywindow/kana_table.h"

namespace rubywindow {

namespace {

using common::kHiraganaLead;
using common::kSmallKa;
using common::kSmallKe;
using common::kVu;
constexpr unsigned char kKaTrail = 0xA9;    // か
constexpr unsigned char kKeTrail = 0xAF;    // け
constexpr unsigned char kBuTrail = 0xD4;    // ぶ; ば び べ ぼ are 3 apart from it

constexpr unsigned char kFirstHalfKana = 0xA6;   // ｦ
constexpr unsigned char kLastHalfLetter = 0xDD;  // ﾝ
constexpr unsigned char kHalfVoiced = 0xDE;      // ﾞ
constexpr unsigned char kHalfSemiVoiced = 0xDF;  // ﾟ
constexpr unsigned char kHalfU = 0xB3;           // ｳ
constexpr unsigned char kFirstHalfKa = 0xB6;     // ｶ
constexpr unsigned char kLastHalfTo = 0xC4;      // ﾄ
constexpr unsigned char kFirstHalfHa = 0xCA;     // ﾊ
constexpr unsigned char kLastHalfHo = 0xCE;      // ﾎ
constexpr char kHyphen = '-';
constexpr std::string_view kLongVowel = "\x81\x5B";  // ー

// The hiragana of ｦ (0xA6) through ﾝ (0xDD), then the lone marks ﾞ and ﾟ as ゛ and ゜.
constexpr std::string_view kHalfWidthUtf8 =
    "をぁぃぅぇぉゃゅょっーあいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめも"
    "やゆよらりるれろわん゛゜";

const std::string& HalfWidthTable() {
  static const std::string table = common::Sjis(kHalfWidthUtf8);
  return table;
}

std::string_view HalfWidthHiragana(unsigned char byte) {
  return std::string_view(HalfWidthTable()).substr((byte - kFirstHalfKana) * 2u, 2);
}

enum class Vowel { kNone, kA, kI, kE, kO };

// The vowel a character after ヴ stands for: full-width or half-width, katakana or hiragana.
Vowel VowelOf(std::string_view c) {
  static const std::array<std::string, 4> kVowels = {
      common::Sjis("ァアぁあｧｱ"), common::Sjis("ィイぃいｨｲ"), common::Sjis("ェエぇえｪｴ"),
      common::Sjis("ォオぉおヲをｫｵｦ")};
  for (std::size_t v = 0; v < kVowels.size(); ++v) {
    std::string_view list = kVowels[v];
    for (std::size_t i = 0; i < list.size();) {
      std::size_t width = common::IsLeadByte(list[i]) ? 2 : 1;
      if (list.substr(i, width) == c) return static_cast<Vowel>(v + 1);
      i += width;
    }
  }
  return Vowel::kNone;
}

// The ヴ rule: `rest` follows the ヴ; returns how many of its bytes were taken with it.
std::size_t AppendVu(std::string_view rest, std::string& out) {
  std::size_t width = rest.empty() ? 0 : (common::IsLeadByte(rest[0]) && rest.size() > 1 ? 2 : 1);
  Vowel vowel = VowelOf(rest.substr(0, width));
  // ば び ぶ べ ぼ: the ぶ row of the table steps by 3.
  static constexpr std::array<int, 5> kStep = {0, -6, -3, 3, 6};
  out += static_cast<char>(kHiraganaLead);
  out += static_cast<char>(kBuTrail + kStep[static_cast<std::size_t>(vowel)]);
  return vowel == Vowel::kNone ? 0 : width;
}

// A full-width character; returns the bytes of `rest` (after it) taken with it.
std::size_t AppendFullWidth(unsigned char lead, unsigned char trail, std::string_view rest,
                            std::string& out) {
  std::uint16_t code = common::CodeOf(lead, trail);
  if (std::optional<unsigned char> hiragana = HiraganaTrailOf(lead, trail)) {
    out += static_cast<char>(kHiraganaLead);
    out += static_cast<char>(*hiragana);
  } else if (code == kVu) {
    return AppendVu(rest, out);
  } else if (code == kSmallKa || code == kSmallKe) {
    out += static_cast<char>(kHiraganaLead);
    out += static_cast<char>(code == kSmallKa ? kKaTrail : kKeTrail);
  } else {
    out += static_cast<char>(lead);
    out += static_cast<char>(trail);
  }
  return 0;
}

// A half-width letter; returns the bytes of `rest` taken with it (a voicing mark, or the vowel
// of ｳﾞ).
std::size_t AppendHalfWidth(unsigned char letter, std::string_view rest, std::string& out) {
  unsigned char mark = rest.empty() ? 0 : static_cast<unsigned char>(rest[0]);
  bool voiced = mark == kHalfVoiced;
  bool semi_voiced = mark == kHalfSemiVoiced;
  if (letter == kHalfU && voiced) return 1 + AppendVu(rest.substr(1), out);
  std::string_view hiragana = HalfWidthHiragana(letter);
  out += hiragana[0];
  bool voices = letter >= kFirstHalfKa && letter <= kLastHalfTo;
  bool half_voices = letter >= kFirstHalfHa && letter <= kLastHalfHo;
  if (voiced && (voices || half_voices)) {
    out += static_cast<char>(hiragana[1] + 1);
  } else if (semi_voiced && half_voices) {
    out += static_cast<char>(hiragana[1] + 2);
  } else {
    out += hiragana[1];
    // A mark after a letter it cannot voice (ｱﾞ, ｶﾟ) is dropped.
    return voiced || semi_voiced ? 1 : 0;
  }
  return 1;
}

}  // namespace

void AppendAsHiragana(std::string_view reading, std::string& out) {
  std::size_t i = 0;
  while (i < reading.size()) {
    auto byte = static_cast<unsigned char>(reading[i]);
    if (common::IsLeadByte(byte) && i + 1 < reading.size()) {
      auto trail = static_cast<unsigned char>(reading[i + 1]);
      i += 2;
      i += AppendFullWidth(byte, trail, reading.substr(i), out);
    } else if (byte >= kFirstHalfKana && byte <= kLastHalfLetter) {
      ++i;
      i += AppendHalfWidth(byte, reading.substr(i), out);
    } else if (byte == kHalfVoiced || byte == kHalfSemiVoiced) {
      out += HalfWidthHiragana(byte);  // a mark that follows no letter stays a mark: ゛ or ゜
      ++i;
    } else if (byte == static_cast<unsigned char>(kHyphen)) {
      out += kLongVowel;
      ++i;
    } else {
      out += static_cast<char>(byte);
      ++i;
    }
  }
}

}  // namespace rubywindow
