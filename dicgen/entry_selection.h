// One reading per surface from the lexicon's rows: the reading a word has standing alone in
// prose (general words before proper nouns, ordinary words before affixes, a lemma's own form
// before its variants), then the lowest word cost, among the readings that can be split over the
// word's kanji. Classical forms are never chosen.
#pragma once

#include <vector>

#include "dicgen/drop_log.h"
#include "dicgen/kanji_readings.h"
#include "dicgen/lexicon_reader.h"
#include "dicgen/reading_alignment.h"
#include "dicgen/sjis_table.h"
#include "dicgen/word_entry.h"

namespace dicgen {

inline constexpr std::size_t kMaxWordChars = 10;

// Lays `reading` over `surface`: nullopt (with the reason in `reason`) when the surface cannot
// be a dictionary word or the reading does not fit it.
std::optional<WordEntry> MakeEntry(std::u32string_view surface, std::u32string_view reading,
                                   const SjisTable& sjis, const KanjiReadings& readings,
                                   DropReason& reason);

// The same for a reading of the ruby-target characters alone, as a dictionary source gives it:
// の中 なか, 取り扱い とあつか.
std::optional<WordEntry> MakeEntryFromTargetReading(std::u32string_view surface,
                                                    std::u32string_view reading,
                                                    const SjisTable& sjis,
                                                    const KanjiReadings& readings,
                                                    DropReason& reason);

// Sorts `rows` by surface and returns the chosen entries in surface order; a surface none of
// whose readings fits is recorded in `drops`. A reading that is the rendaku form of another
// that the surface has (付け づけ beside つけ) is never chosen.
std::vector<WordEntry> SelectReadings(std::vector<LexiconRow>& rows, const SjisTable& sjis,
                                      const KanjiReadings& readings, DropLog& drops);

}  // namespace dicgen
