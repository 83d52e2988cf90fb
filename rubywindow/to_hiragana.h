// Turning the katakana of a YMI field reading, full-width and half-width, into hiragana.
#pragma once

#include <string>
#include <string_view>

namespace rubywindow {

// Appends `reading` to `out` with full-width and half-width katakana as hiragana, '-' as ー,
// and ヴ (or ｳﾞ) joined with a following vowel into ば, び, べ or ぼ, else ぶ.
void AppendAsHiragana(std::string_view reading, std::string& out);

}  // namespace rubywindow
