// A word of the main dictionary as the generator builds it, before it is written as a line.
#pragma once

#include <string>
#include <vector>

namespace dicgen {

struct WordEntry {
  std::u32string surface;
  std::vector<std::u32string> segments;  // one reading per ruby-target character
  // Lower ranks are kept first when the dictionary format cannot hold every word.
  long rank = 0;
};

// Ranks of the words the generator adds itself, ahead of every lexicon word (whose rank is its
// cost, proper nouns after the rest).
inline constexpr long kOverrideRank = -3000000;
inline constexpr long kCounterRank = -2000000;
inline constexpr long kProperNounRank = 1000000;
inline constexpr long kKanjidicRank = 2000000;  // single kanji that no lexicon word gives

}  // namespace dicgen
