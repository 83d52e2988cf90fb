// Words that give a kanji its reading after a particular kana or mark: の中 なか and た時 とき
// beside 中 ちゅう and 時 じ, which a lone kanji mostly takes after another kanji or a katakana
// word (実行中, ファイル中). Such a word would split a longer word that begins with the kanji
// (の中 in の中国), so the kana followed by each of those words is added as well.
#pragma once

#include <functional>
#include <vector>

#include "dicgen/word_entry.h"

namespace dicgen {

// For each entry of `context_words` that begins with characters without ruby (the context)
// before its first ruby-target character, the context followed by every word of `words` that
// begins with the rest of that entry and is longer than it, with that word's readings and the
// context word's rank. `has_ruby` tells the ruby-target characters.
std::vector<WordEntry> ContextProtectingForms(const std::vector<WordEntry>& context_words,
                                              const std::vector<WordEntry>& words,
                                              const std::function<bool(char32_t)>& has_ruby);

}  // namespace dicgen
