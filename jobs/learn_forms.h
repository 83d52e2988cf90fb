// The forms in which a corrected word goes into a dictionary source: a word written with
// okurigana keeps them, as the main dictionary keeps them, so that its entry never reads the
// same kanji in other words.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jobs {

// The reading a dictionary gives a whole word (Shift_JIS, '*' between the kanji's readings), or
// nullopt when it holds no such word.
using WordReadings = std::function<std::optional<std::string>(std::string_view word)>;

// The words to learn for `run` (the bases of a run of groups, Shift_JIS) where the text goes on
// with `tail`. When `known` holds the run with the first kana of `tail` (話す, 食べる, the
// longest such word: its anchor), the run is a word with okurigana, and the result is every
// form of it that `known` reads as it reads the anchor: with one kana, those of the kana's row
// (話さ 話し 話す 話せ 話そ; 行う's row leaves 行く alone); with more, those that begin with the
// first (食べ, which 食べる and 食べた begin with, is all). Otherwise the run alone. A bare 行
// learnt for 行う would read 行く and 銀行 with おこな as well.
std::vector<std::string> WordForms(std::string_view run, std::string_view tail,
                                   const WordReadings& known);

// Looks words up in the ruby dictionary at `path`, loading each word length when it is first
// asked for. A dictionary that is missing or cannot be read holds no word; nothing is said, as
// the run that used it has said it.
WordReadings DictionaryWords(const std::filesystem::path& path);

}  // namespace jobs
