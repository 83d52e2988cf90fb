// Splits a word's reading over its ruby-target characters, one segment each, so that every
// kanji carries its own ruby: 漢字 かんじ → かん・じ. Kana in the word must reappear in the
// reading (書かれる かかれる → 書 か); a run of kanji that no per-kanji split explains takes
// group ruby, with empty segments before its last kanji: 今日 きょう → "", きょう.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dicgen/kanji_readings.h"

namespace dicgen {

struct Alignment {
  std::vector<std::u32string> segments;  // one per ruby-target character, in order
  int score = 0;                         // higher: the split follows KANJIDIC more closely
};

// `targets[i]` says whether surface[i] is a ruby-target character (it gets a segment). nullopt
// when the reading cannot be laid over the surface: its kana do not match, or a target would
// be left without reading.
std::optional<Alignment> AlignReading(std::u32string_view surface, const std::vector<bool>& targets,
                                      std::u32string_view reading, const KanjiReadings& readings);

}  // namespace dicgen
