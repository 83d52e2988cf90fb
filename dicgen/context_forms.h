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
// context word's rank. An entry that begins with a ruby target and holds kana before its closing
// run of ruby targets (読む時) is treated alike, with everything before that run as its context
// and its own readings for it (読む時間 よ*じ*かん). A word that only adds kana to the rest and
// reads it as the rest reads alone (中から ちゅう beside 中 ちゅう) takes the context word's
// readings instead (の中から なか). `has_ruby` tells the ruby-target characters.
std::vector<WordEntry> ContextProtectingForms(const std::vector<WordEntry>& context_words,
                                              const std::vector<WordEntry>& words,
                                              const std::function<bool(char32_t)>& has_ruby);

// A word that ends in the context's kana and is as long as the context word (返す beside す値,
// 若い beside い者) is matched first, in the same pass and further left; the context word then
// never gets its kana, and the kanji is read alone. Where no longer word begins with the
// context word's kanji, the word followed by the rest of the context word (若い者 わか*もの) is
// returned, with the word's rank, so that the pair reads as each of its parts would alone.
// The other pairs (返す beside す値 and す値段, 小さな beside な子供) are counted: joining them
// would split the longer words in turn.
struct KanaOverlapForms {
  std::vector<WordEntry> forms;
  std::size_t overlaps_left = 0;
  std::vector<std::u32string> examples_left;  // the first few, as "小さな|な子供"
};

KanaOverlapForms FormsForKanaOverlaps(const std::vector<WordEntry>& context_words,
                                      const std::vector<WordEntry>& protecting_forms,
                                      const std::vector<WordEntry>& words,
                                      const std::function<bool(char32_t)>& has_ruby);

}  // namespace dicgen
