// One reading per surface from the lexicon's rows: general words before proper nouns, then the
// lowest word cost, among the readings that can be split over the word's kanji.
#pragma once

#include <vector>

#include "dictionary/generator/drop_log.h"
#include "dictionary/generator/kanji_readings.h"
#include "dictionary/generator/lexicon_reader.h"
#include "dictionary/generator/reading_alignment.h"
#include "dictionary/generator/sjis_table.h"
#include "dictionary/generator/word_entry.h"

namespace dictionary::generator {

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

}  // namespace dictionary::generator
