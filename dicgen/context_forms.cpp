// The words that begin with a given kanji are found by binary search in a sorted copy of the
// surfaces, so each context word costs one search however large the dictionary.
#include "dicgen/context_forms.h"

#include <algorithm>
#include <map>
#include <utility>

#include "dictionary/ruby_dictionary_format.h"

namespace dicgen {
namespace {

// Kana that stand alone as a particle after a noun.
constexpr std::u32string_view kParticles = U"がのにをではともへやか";

// The characters before `surface`'s first ruby target; empty when it begins with one or has none.
std::u32string_view ContextOf(std::u32string_view surface,
                              const std::function<bool(char32_t)>& has_ruby) {
  std::size_t first_ruby = std::find_if(surface.begin(), surface.end(), has_ruby) - surface.begin();
  if (first_ruby == surface.size()) return {};
  return surface.substr(0, first_ruby);
}

// What comes before the kanji that a context word decides: its context, or for a word that
// begins with a ruby target, everything up to its closing run of ruby targets when kana stand
// before that run (読む in 読む時). Empty for any other word.
std::u32string_view HeadOf(std::u32string_view surface,
                           const std::function<bool(char32_t)>& has_ruby) {
  if (surface.empty() || !has_ruby(surface.front())) return ContextOf(surface, has_ruby);
  if (!has_ruby(surface.back())) return {};
  std::size_t run = surface.size();
  while (run > 0 && has_ruby(surface[run - 1])) --run;
  return run == 0 ? std::u32string_view() : surface.substr(0, run);
}

}  // namespace

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
    std::u32string_view context = HeadOf(context_word.surface, has_ruby);
    if (context.empty()) continue;
    std::u32string rest = context_word.surface.substr(context.size());
    auto head_segments =
        static_cast<std::ptrdiff_t>(std::count_if(context.begin(), context.end(), has_ruby));
    if (static_cast<std::size_t>(head_segments) > context_word.segments.size()) continue;
    std::vector<std::u32string> rest_segments(context_word.segments.begin() + head_segments,
                                              context_word.segments.end());
    auto at = std::lower_bound(
        sorted.begin(), sorted.end(), rest,
        [](const WordEntry* word, const std::u32string& key) { return word->surface < key; });
    const WordEntry* alone = nullptr;
    for (; at != sorted.end() && (*at)->surface.starts_with(rest); ++at) {
      const WordEntry& longer = **at;
      if (longer.surface.size() == rest.size()) {
        alone = &longer;
        continue;
      }
      if (context.size() + longer.surface.size() >
          static_cast<std::size_t>(dictionary::kMaxWordLength)) {
        continue;
      }
      std::u32string form(context);
      form += longer.surface;
      // A longer word that is the rest read as it reads alone, with kana after it (中から,
      // a spelling of 中辛, beside 中 ちゅう), guards nothing of its own: the context decides
      // the reading there (の中から なか), as it does before any other kana.
      bool only_kana_after =
          std::none_of(longer.surface.begin() + rest.size(), longer.surface.end(), has_ruby);
      // After a word's own kana (気に入 before 入っ, 読む時 before 時から) the kana are its
      // okurigana or a particle, never another word's: its reading stays there too.
      // A single particle after it (上が beside の上) is the particle, not a verb's okurigana:
      // the verb's own forms (上がる, 上がっ) are longer and keep their guards.
      bool particle_after = longer.surface.size() == rest.size() + 1 &&
                            kParticles.find(longer.surface.back()) != std::u32string_view::npos;
      bool context_decides =
          only_kana_after && (has_ruby(context_word.surface.front()) || particle_after ||
                              (alone != nullptr && alone->segments == longer.segments));
      std::vector<std::u32string> segments(context_word.segments.begin(),
                                           context_word.segments.begin() + head_segments);
      const std::vector<std::u32string>& tail = context_decides ? rest_segments : longer.segments;
      segments.insert(segments.end(), tail.begin(), tail.end());
      forms.push_back({std::move(form), std::move(segments), context_word.rank});
    }
  }
  return forms;
}

namespace {

constexpr std::size_t kOverlapExamples = 3;

// The words that begin with a ruby target, by length and by each tail of their closing run of
// characters without ruby (返す under 2 and す).
class WordsByTail {
 public:
  WordsByTail(const std::vector<WordEntry>& words, const std::function<bool(char32_t)>& has_ruby) {
    for (const WordEntry& word : words) {
      const std::u32string& surface = word.surface;
      if (surface.empty() || !has_ruby(surface.front()) || has_ruby(surface.back())) continue;
      std::size_t from = surface.size();
      while (from > 0 && !has_ruby(surface[from - 1])) --from;
      for (std::size_t at = from; at < surface.size(); ++at) {
        by_tail_[{surface.size(), surface.substr(at)}].push_back(&word);
      }
    }
  }
  const std::vector<const WordEntry*>& Ending(std::size_t length, std::u32string_view tail) const {
    auto at = by_tail_.find({length, std::u32string(tail)});
    return at == by_tail_.end() ? none_ : at->second;
  }

 private:
  std::map<std::pair<std::size_t, std::u32string>, std::vector<const WordEntry*>> by_tail_;
  std::vector<const WordEntry*> none_;
};

}  // namespace

KanaOverlapForms FormsForKanaOverlaps(const std::vector<WordEntry>& context_words,
                                      const std::vector<WordEntry>& protecting_forms,
                                      const std::vector<WordEntry>& words,
                                      const std::function<bool(char32_t)>& has_ruby) {
  WordsByTail by_tail(words, has_ruby);
  std::vector<std::u32string_view> protecting;
  for (const WordEntry& form : protecting_forms) protecting.emplace_back(form.surface);
  std::sort(protecting.begin(), protecting.end());
  auto has_protecting_form = [&protecting](std::u32string_view surface) {
    auto at = std::lower_bound(protecting.begin(), protecting.end(), surface);
    return at != protecting.end() && at->starts_with(surface);
  };
  KanaOverlapForms result;
  auto leave = [&result](const WordEntry& word, std::u32string_view context_word) {
    if (result.examples_left.size() < kOverlapExamples) {
      std::u32string example = word.surface;
      example += U'|';
      example.append(context_word);
      result.examples_left.push_back(std::move(example));
    }
    ++result.overlaps_left;
  };
  for (const WordEntry& context_word : context_words) {
    std::u32string_view context = ContextOf(context_word.surface, has_ruby);
    if (context.empty()) continue;
    std::u32string_view rest = std::u32string_view(context_word.surface).substr(context.size());
    // The joined form would split the longer words that begin with the rest (返す値 in
    // 返す値段), which the context's protecting forms now keep whole: such pairs are left.
    bool longer_words = has_protecting_form(context_word.surface);
    for (const WordEntry* word : by_tail.Ending(context_word.surface.size(), context)) {
      if (longer_words || word->surface.size() + rest.size() >
                              static_cast<std::size_t>(dictionary::kMaxWordLength)) {
        leave(*word, context_word.surface);
        continue;
      }
      WordEntry form{word->surface, word->segments, word->rank};
      form.surface.append(rest);
      form.segments.insert(form.segments.end(), context_word.segments.begin(),
                           context_word.segments.end());
      result.forms.push_back(std::move(form));
    }
  }
  for (const WordEntry& form : protecting_forms) {
    std::u32string_view context = ContextOf(form.surface, has_ruby);
    if (context.empty()) continue;
    const std::vector<const WordEntry*>& ending = by_tail.Ending(form.surface.size(), context);
    if (ending.empty()) continue;
    leave(*ending.front(), form.surface);
    result.overlaps_left += ending.size() - 1;
  }
  return result;
}

}  // namespace dicgen
