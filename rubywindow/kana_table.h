// The kana table: the 83 hiragana ぁ…ん and the katakana of the same sounds ァ…ン, used to turn
// readings from one kind of kana into the other.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rubywindow {

enum class KanaDirection { kToKatakana, kToHiragana };

// Appends `text` to `out` with every letter of the table turned the given way; ヴ becomes ぶ
// on the way to hiragana. Everything else (kanji, ー, ゝ, ヵ, ヶ, half-width kana, ASCII) stays.
// The hiragana trail byte (after 0x82) of a full-width katakana ァ … ン, or nullopt for any
// other character; ヴ, ヵ and ヶ have no hiragana of their own and are left to the caller.
std::optional<unsigned char> HiraganaTrailOf(unsigned char lead, unsigned char trail);

void AppendConverted(std::string_view text, KanaDirection direction, std::string& out);
std::string ConvertKana(std::string_view text, KanaDirection direction);

}  // namespace rubywindow
