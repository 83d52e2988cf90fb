// The words that begin with a given kanji are found by binary search in a sorted copy of the
// surfaces, so each context word costs one search however large the dictionary.
#include "dicgen/context_forms.h"

#include <algorithm>

#include "dictionary/ruby_dictionary_format.h"

namespace dicgen {

std::vector<WordEntry> ContextProtectingForms(const std::vector<WordEntry>& context_words,
                                              const std::vector<WordEntry>& words,
                                              const std::function<bool(char32_t)>& has_ruby) {
  std::vector<const WordEntry*> sorted;
  sorted.reserve(words.size());
  for (const WordEntry& word : words) sorted.push_back(&word);
  std::sort(sorted.begin(), sorted.end(),
            [](const WordEntry* a, const WordEntry* b) { return a->surface < b->surface; });
  std::vector<WordEntry> forms;
  for (const WordEntry& context_word : context_words) {
    const std::u32string& surface = context_word.surface;
    std::size_t first_ruby =
        std::find_if(surface.begin(), surface.end(), has_ruby) - surface.begin();
    if (first_ruby == 0 || first_ruby == surface.size()) continue;
    std::u32string context = surface.substr(0, first_ruby);
    std::u32string rest = surface.substr(first_ruby);
    auto at = std::lower_bound(
        sorted.begin(), sorted.end(), rest,
        [](const WordEntry* word, const std::u32string& key) { return word->surface < key; });
    for (; at != sorted.end() && (*at)->surface.starts_with(rest); ++at) {
      const WordEntry& longer = **at;
      if (longer.surface.size() == rest.size()) continue;
      if (context.size() + longer.surface.size() >
          static_cast<std::size_t>(dictionary::kMaxWordLength)) {
        continue;
      }
      forms.push_back({context + longer.surface, longer.segments, context_word.rank});
    }
  }
  return forms;
}

}  // namespace dicgen
