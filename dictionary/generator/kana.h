// UTF-8 code points and kana conversion for the generator, which works on Unicode text until
// it writes the Shift_JIS source.
#pragma once

#include <string>
#include <string_view>

namespace dictionary::generator {

// Malformed bytes decode to U+FFFD each; the generator's inputs have been checked by iconv.
std::u32string DecodeUtf8(std::string_view utf8);
std::string EncodeUtf8(std::u32string_view text);

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

}  // namespace dictionary::generator
