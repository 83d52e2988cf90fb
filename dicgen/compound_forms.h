// Forms of する after a する-noun, so that the compound outlasts the longest-first rule: in
// 終了する the verb form 了する (three characters) would be matched before the noun 終了 (two)
// and leave 終 alone; 終了する, 終了し … are longer and win.
#pragma once

#include <vector>

#include "dicgen/lexicon_reader.h"
#include "dicgen/word_entry.h"

namespace dicgen {

// For each する-noun among `entries`, the noun followed by each kana tail of a する form (し,
// する, しよう, さ …) with which its last kanji makes a word of the lexicon (了し, 了しよう,
// 納さ), with the noun's readings and rank. Only those tails are added: where no word competes,
// the noun alone already wins.
std::vector<WordEntry> SahenCompoundForms(const std::vector<LexiconRow>& rows,
                                          const std::vector<WordEntry>& entries);

}  // namespace dicgen
