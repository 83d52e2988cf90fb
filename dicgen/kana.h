// UTF-8 code points and kana conversion for the generator, which works on Unicode text until
// it writes the Shift_JIS source.
#pragma once

#include <string>
#include <string_view>

#include "common/encoding/utf8.h"

namespace dicgen {

// Malformed bytes decode to U+FFFD each; the generator's inputs have been checked by iconv.
std::u32string DecodeUtf8(std::string_view utf8);
using common::EncodeUtf8;

constexpr bool IsHiragana(char32_t c) { return c >= U'ぁ' && c <= U'ゖ'; }
constexpr bool IsKatakana(char32_t c) { return c >= U'ァ' && c <= U'ヶ'; }
constexpr bool IsKanji(char32_t c) {
  return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF);
}

// ァ…ヶ become ぁ…ゖ; ヴ becomes ゔ; everything else (ー, ・, affix marks) stays.
constexpr char32_t ToHiragana(char32_t c) {
  return IsKatakana(c) ? static_cast<char32_t>(c - (U'ァ' - U'ぁ')) : c;
}
std::u32string ToHiragana(std::u32string_view text);
std::string KatakanaToHiragana(std::string_view utf8);

// The kana a reading is written in: hiragana and ー.
constexpr bool IsReadingKana(char32_t c) { return IsHiragana(c) || c == U'ー'; }

// The sound changes at the join of a compound, shared by the main dictionary's reading split
// and the grade list's readings, so that both accept the same forms.
// The voiced forms of a reading's first kana: か → が, は → ば and ぱ; none for other kana.
std::u32string VoicedForms(char32_t kana);
// The plain kana of a voiced one: が → か, ば and ぱ → は; any other kana stays.
char32_t Unvoiced(char32_t kana);
// The final kana that turn into っ before another kanji: 学 がく → がっ, 一 いち → いっ.
constexpr bool CanGeminate(char32_t kana) {
  return kana == U'つ' || kana == U'ち' || kana == U'く' || kana == U'き';
}

}  // namespace dicgen
