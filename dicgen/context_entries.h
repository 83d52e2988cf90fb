// What MeCab knows about words in context, distilled into ordinary entries of the main
// dictionary. Two kinds, each kept to where longest match measurably goes wrong:
//  - a key that is a verb form ending in a particle's kana (雪が すすが, 空か あか) reads as the
//    noun and its particle in prose (雪が降る, 空から). Where the analyser reads it so even before
//    ない, the key goes; where it keeps the verb, the noun is given the particles after which
//    it reads as the noun (空から そら);
//  - a word whose reading follows the kana after it (来ない こ, 来た き; 何の なん, 何か なに)
//    gets one key per context of the project's table data/default/contexts.txt, with the
//    reading the analyser gives the word in that context.
// A lone kanji's entry and the project's tables are never changed here.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/messenger.h"
#include "dicgen/context_analyser.h"
#include "dicgen/word_entry.h"

namespace dicgen {

// One line of contexts.txt: a word and example phrases that begin with it (来ない 来た 来て).
struct ContextPhrases {
  std::u32string word;
  std::vector<std::u32string> phrases;
};

std::optional<std::vector<ContextPhrases>> ReadContextTable(const std::filesystem::path& path,
                                                            common::Messenger& messenger);

struct ContextEntryReport {
  std::size_t forms_dropped = 0;  // forms that prose reads as a shorter word and kana
  std::size_t entries_written = 0;
  std::size_t bytes_added = 0;  // key and reading bytes in Shift_JIS, with the separators
};

// Changes `words` (one entry per surface, the lexicon's and the tables' alike): removes the
// particle keys, adds the context entries. `protected_surfaces` (the tables' words) are never
// removed nor replaced. `has_ruby` tells the ruby-target characters.
void DistilContext(ContextAnalyser& analyser, const std::vector<ContextPhrases>& table,
                   const std::vector<std::u32string>& protected_surfaces,
                   std::vector<WordEntry>& words, ContextEntryReport& report);

}  // namespace dicgen
