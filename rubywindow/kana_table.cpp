// The table's pairs lie in the same order in both rows of the code table: ぁ (0x829F) … み
// (0x82DD) pair with ァ (0x8340) … ミ (0x837E), and む (0x82DE) … ん (0x82F1) with ム (0x8380)
// … ン (0x8393), the katakana row skipping 0x837F.
#include "rubywindow/kana_table.h"

#include <cstdint>

#include "common/encoding/sjis.h"

namespace rubywindow {

namespace {

using common::kHiraganaLead;
using common::kKatakanaLead;
constexpr unsigned char kFirstHiraganaTrail = 0x9F;      // ぁ
constexpr unsigned char kLastLowHiraganaTrail = 0xDD;    // み
constexpr unsigned char kLastHiraganaTrail = 0xF1;       // ん
constexpr unsigned char kFirstKatakanaTrail = 0x40;      // ァ
constexpr unsigned char kLastLowKatakanaTrail = 0x7E;    // ミ
constexpr unsigned char kFirstHighKatakanaTrail = 0x80;  // ム
constexpr unsigned char kLastKatakanaTrail = 0x93;       // ン
constexpr unsigned char kLowShift = 0x5F;
constexpr unsigned char kHighShift = 0x5E;
constexpr unsigned char kVuTrail = 0x94;  // ヴ
constexpr unsigned char kBuTrail = 0xD4;  // ぶ

void AppendPair(unsigned char lead, unsigned char trail, std::string& out) {
  out += static_cast<char>(lead);
  out += static_cast<char>(trail);
}

void AppendCharacter(unsigned char lead, unsigned char trail, KanaDirection direction,
                     std::string& out) {
  if (direction == KanaDirection::kToKatakana && lead == kHiraganaLead &&
      trail >= kFirstHiraganaTrail && trail <= kLastHiraganaTrail) {
    int shift = trail <= kLastLowHiraganaTrail ? kLowShift : kHighShift;
    AppendPair(kKatakanaLead, static_cast<unsigned char>(trail - shift), out);
  } else if (std::optional<unsigned char> hiragana = HiraganaTrailOf(lead, trail);
             direction == KanaDirection::kToHiragana && hiragana) {
    AppendPair(kHiraganaLead, *hiragana, out);
  } else if (direction == KanaDirection::kToHiragana && lead == kKatakanaLead &&
             trail == kVuTrail) {
    AppendPair(kHiraganaLead, kBuTrail, out);
  } else {
    AppendPair(lead, trail, out);
  }
}

}  // namespace

std::optional<unsigned char> HiraganaTrailOf(unsigned char lead, unsigned char trail) {
  if (lead != kKatakanaLead) return std::nullopt;
  if (trail >= kFirstKatakanaTrail && trail <= kLastLowKatakanaTrail) {
    return static_cast<unsigned char>(trail + kLowShift);
  }
  if (trail >= kFirstHighKatakanaTrail && trail <= kLastKatakanaTrail) {
    return static_cast<unsigned char>(trail + kHighShift);
  }
  return std::nullopt;
}

void AppendConverted(std::string_view text, KanaDirection direction, std::string& out) {
  std::size_t i = 0;
  while (i < text.size()) {
    auto byte = static_cast<unsigned char>(text[i]);
    if (common::IsLeadByte(byte) && i + 1 < text.size()) {
      AppendCharacter(byte, static_cast<unsigned char>(text[i + 1]), direction, out);
      i += 2;
    } else {
      out += static_cast<char>(byte);
      ++i;
    }
  }
}

std::string ConvertKana(std::string_view text, KanaDirection direction) {
  std::string out;
  out.reserve(text.size());
  AppendConverted(text, direction, out);
  return out;
}

}  // namespace rubywindow
