// The readings that the grade list gives each education kanji, chosen on the evidence of a
// lexicon's words: those that pupils meet, within what the grade dictionary can hold.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "dicgen/kanjidic.h"
#include "dicgen/lexicon_reader.h"

namespace dicgen {

// KANJIDIC's grades of the education kanji (教育漢字).
inline constexpr int kFirstSchoolGrade = 1;
inline constexpr int kLastSchoolGrade = 6;

// How many words of a lexicon give a kanji each reading: kanji code → reading (Shift_JIS
// hiragana) → number of words.
using UsageTable = std::unordered_map<std::uint16_t, std::map<std::string, int>>;

struct ReadingUsage {
  UsageTable general;
  UsageTable names;  // proper nouns
};

// Counts, over the words of a lexicon, the reading that the aligned word gives each of its kanji,
// for general words and for proper nouns apart: names read kanji in ways that no pupil is taught
// (茂三 しげぞう). The forms of one word (書く, 書か, 書き) are one word. Group ruby (今日 きょう)
// reads the whole run, not its last kanji, so it counts for none of them.
ReadingUsage CountLexiconUsage(const std::vector<LexiconRow>& rows,
                               const std::vector<KanjiEntry>& kanjidic);

struct GradeKanji {
  std::string kanji;  // Shift_JIS
  int grade = 0;
  std::vector<std::string> readings;  // Shift_JIS hiragana, most used first
};

struct GradeReadings {
  std::vector<GradeKanji> kanji;    // grade order, KANJIDIC's order within a grade
  int reading_bytes = 0;            // what they fill of the reading area, end bytes included
  std::vector<std::string> report;  // UTF-8 lines: what was left out and why
};

// The education kanji (grades 1–6), each with the readings that the lexicon's general words
// give it: KANJIDIC's on and kun readings (name readings never), the longer kun forms of words
// without okurigana (受付 うけ) and their sound changes (日 び, 学 がっ). A kanji that only names
// use (潟, 阪: taught for the prefectures) takes the readings of the names. Readings used by
// fewer words than a small minimum are left out, and so are the least used ones while the
// readings would overflow the grade dictionary's reading area. A kanji keeps at least one.
GradeReadings ChooseGradeReadings(const std::vector<KanjiEntry>& kanjidic,
                                  const ReadingUsage& usage);

}  // namespace dicgen
