// Divides the reading of a run of kanji over its characters, as the dictionaries write it: one
// group per kanji where the reading divides ({自/じ}{動/どう}{車/しゃ}), one group for the run
// where it does not ({今日/きょう}).
#pragma once

#include <string_view>
#include <vector>

#include "engine/context/lexicon.h"

namespace engine::context {

// `chars` are the run's Shift_JIS characters, `reading` its whole reading in Shift_JIS
// hiragana. The result has one segment per character; an empty one joins the next group.
Segments SplitReading(const Lexicon& lexicon, const std::vector<std::string_view>& chars,
                      std::string_view reading);

// The forms a reading takes inside a word: itself, with its first kana voiced (か → が,
// は → ば, ぱ) and with its last kana doubled into っ (がく → がっ).
std::vector<std::string> SoundChangeForms(std::string_view reading);

std::uint16_t CodeAt(std::string_view sjis, std::size_t offset);

}  // namespace engine::context
