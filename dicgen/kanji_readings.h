// The readings a kanji may take inside a word, from KANJIDIC, with the sound changes of
// compounds: 人々 ひと・びと (rendaku), 学校 がっ・こう (a final く before another kanji).
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "dicgen/kanjidic.h"

namespace dicgen {

struct KanjiReading {
  std::u32string kana;       // hiragana
  int score = 0;             // how plain a reading it is: kExactScore for a dictionary reading
  bool voiced = false;       // rendaku: never on the first character of a word
  bool geminated = false;    // ends in っ: never on the last character of a word
  bool suffix_only = false;  // KANJIDIC gives it only after another kanji (-づけ of 付)
};

inline constexpr int kExactScore = 30;
inline constexpr int kSoundChangeScore = 20;
// Name readings are many and loose (日 has す among them): a split that needs one loses to group
// ruby unless the other kanji of the run make up for it.
inline constexpr int kNameScore = -36;
inline constexpr int kNameSoundChangeScore = -38;

class KanjiReadings {
 public:
  explicit KanjiReadings(const std::vector<KanjiEntry>& entries);
  // nullptr for a character that KANJIDIC lacks. ヶ, ケ and 〆 have readings of their own.
  const std::vector<KanjiReading>* Find(char32_t kanji) const;

 private:
  void Add(char32_t kanji, const std::u32string& kana, int score, int changed_score,
           bool suffix_only = false);
  std::unordered_map<char32_t, std::vector<KanjiReading>> table_;
};

// The forms a kun reading takes in compounds, where okurigana are often left out: う.ける gives
// う, うけ (取 and 受付), うける; と.る gives と, とり (取引), とる.
std::vector<std::u32string> KunForms(std::u32string_view kun);

}  // namespace dicgen
