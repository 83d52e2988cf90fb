// Leaves out the words that the matching pass would read the same way without them: 書かれる
// when 書か already gives 書 its reading, 歌い舞お when 歌い and 舞お do. Conjugated forms and
// compound verbs are most of a lexicon, and dropping the redundant ones keeps the dictionary
// inside its format and its buckets short, which keeps lookups fast.
#pragma once

#include <functional>
#include <vector>

#include "dicgen/word_entry.h"

namespace dicgen {

// A word goes when the longest-first matching of its own characters with the shorter words
// that stay gives every ruby-target character of it the same reading, and no word that begins
// inside it and runs on past its end could take its characters in a text (作成さ stays for
// 作成される, or 成され would win). Words are judged from the shortest up, so each judgement
// sees the shorter words that are final. `is_target` tells the
// ruby-target characters. The order of the rest is kept.
std::vector<WordEntry> DropRedundantForms(std::vector<WordEntry> entries,
                                          const std::function<bool(char32_t)>& is_target);

}  // namespace dicgen
