// The analyser is asked only about the keys and phrases that need it: a few thousand short
// sentences, a second or two.
#include "dicgen/context_entries.h"

#include <algorithm>
#include <map>
#include <set>

#include "dicgen/data_file.h"
#include "dicgen/kana.h"
#include "dictionary/ruby_dictionary_format.h"

namespace dicgen {
namespace {

// Kana that begin a particle after a noun.
constexpr std::u32string_view kParticleKana = U"がかのにをでともへやは";
// Particles of two kana or more; one that begins with a particle key's last kana is tried
// after the noun (空か → 空から).
constexpr std::u32string_view kLongParticles[] = {U"から", U"まで", U"より", U"など", U"では",
                                                  U"には", U"とは", U"にも", U"でも", U"への"};
// A frame that suits a verb form, so that the verb is read where it is at all likely.
constexpr std::u32string_view kVerbFrame = U"ない。";
constexpr std::u32string_view kEndFrame = U"。";

bool IsAllKanji(std::u32string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char32_t c) { return IsKanji(c) || c == U'々'; });
}

// `text` and what follows it, built with append: operator+ on a temporary trips GCC 12's
// -Wrestrict at -O2.
std::u32string Then(std::u32string_view text, std::u32string_view after) {
  std::u32string all;
  all.reserve(text.size() + after.size());
  all.append(text);
  all.append(after);
  return all;
}

std::u32string Joined(const std::vector<std::u32string>& segments) {
  std::u32string all;
  for (const std::u32string& segment : segments) all += segment;
  return all;
}

std::size_t EntryBytes(const WordEntry& entry) {
  std::size_t bytes = entry.surface.size() * 2 + 2;  // key, separator and line end
  for (const std::u32string& segment : entry.segments) bytes += segment.size() + 1;
  return bytes;
}

// The first token of `text` as the analyser reads it, when it begins exactly with `word`.
std::optional<std::u32string> ReadingOfFirstWord(ContextAnalyser& analyser,
                                                 std::u32string_view text,
                                                 std::u32string_view word) {
  std::optional<std::vector<AnalysedToken>> tokens = analyser.Analyse(text);
  if (!tokens || tokens->empty() || tokens->front().surface != word) return std::nullopt;
  if (tokens->front().reading.empty()) return std::nullopt;
  return tokens->front().reading;
}

class Words {
 public:
  explicit Words(std::vector<WordEntry>& words) : words_(words) {
    for (std::size_t i = 0; i < words_.size(); ++i) index_.emplace(words_[i].surface, i);
  }
  const WordEntry* Find(const std::u32string& surface) const {
    auto at = index_.find(surface);
    return at == index_.end() || removed_.contains(at->second) ? nullptr : &words_[at->second];
  }
  // Whether the surface is there, added ones included.
  bool Has(const std::u32string& surface) const {
    return Find(surface) != nullptr || added_surfaces_.contains(surface);
  }
  void Remove(const std::u32string& surface) {
    auto at = index_.find(surface);
    if (at != index_.end()) removed_.insert(at->second);
  }
  void Put(WordEntry entry) {
    auto at = index_.find(entry.surface);
    if (at != index_.end()) {
      removed_.erase(at->second);
      words_[at->second] = std::move(entry);
      return;
    }
    added_surfaces_.insert(entry.surface);
    added_.push_back(std::move(entry));
  }
  void Finish() {
    std::vector<WordEntry> kept;
    kept.reserve(words_.size() + added_.size());
    for (std::size_t i = 0; i < words_.size(); ++i) {
      if (!removed_.contains(i)) kept.push_back(std::move(words_[i]));
    }
    for (WordEntry& entry : added_) kept.push_back(std::move(entry));
    words_ = std::move(kept);
  }

 private:
  std::vector<WordEntry>& words_;
  std::map<std::u32string, std::size_t> index_;
  std::set<std::size_t> removed_;
  std::vector<WordEntry> added_;
  std::set<std::u32string> added_surfaces_;
};

// The segments of `noun` with `kana` after them (kana carry no reading of their own).
WordEntry NounWithKana(const WordEntry& noun, std::u32string_view kana, long rank) {
  return {Then(noun.surface, kana), noun.segments, rank};
}

// The general words of all kanji that end in a noun of one or two kanji and are longer than it
// (位置 for 置): a form of the noun with a particle (置から) would be matched before them and take
// them apart, so each gets the same particle after it.
class CompoundsByEnding {
 public:
  // Names are left out: they seldom meet a particle form in prose.
  explicit CompoundsByEnding(const std::vector<WordEntry>& words) {
    for (const WordEntry& word : words) {
      const std::u32string& surface = word.surface;
      if (word.rank >= kProperNounRank || !IsAllKanji(surface)) continue;
      for (std::size_t length = 1; length <= 2 && length < surface.size(); ++length) {
        by_ending_[surface.substr(surface.size() - length)].push_back(surface);
      }
    }
  }
  const std::vector<std::u32string>* Ending(const std::u32string& noun) const {
    auto at = by_ending_.find(noun);
    return at == by_ending_.end() ? &none_ : &at->second;
  }

 private:
  std::map<std::u32string, std::vector<std::u32string>> by_ending_;
  std::vector<std::u32string> none_;
};

// A noun that ends many compounds (置: 位置, 装置, 設置 …) would need a form for each of them;
// it gets no particle forms at all.
constexpr std::size_t kMaxGuardedCompounds = 128;

void AddEntry(WordEntry entry, Words& words, ContextEntryReport& report) {
  report.bytes_added += EntryBytes(entry);
  ++report.entries_written;
  words.Put(std::move(entry));
}

void MendParticleKeys(ContextAnalyser& analyser, const std::set<std::u32string>& protect,
                      const CompoundsByEnding& compounds, Words& words,
                      const std::vector<std::u32string>& surfaces, ContextEntryReport& report) {
  for (const std::u32string& key : surfaces) {
    if (key.size() < 2 || protect.contains(key)) continue;
    char32_t last = key.back();
    if (kParticleKana.find(last) == std::u32string_view::npos) continue;
    std::u32string noun_surface = key.substr(0, key.size() - 1);
    if (!IsAllKanji(noun_surface)) continue;
    const WordEntry* noun = words.Find(noun_surface);
    const WordEntry* entry = words.Find(key);
    if (noun == nullptr || entry == nullptr) continue;
    if (Joined(noun->segments) == Joined(entry->segments)) continue;  // they read alike
    std::optional<std::vector<AnalysedToken>> tokens = analyser.Analyse(Then(key, kVerbFrame));
    if (!tokens || tokens->empty()) continue;
    if (tokens->front().surface == noun_surface) {
      words.Remove(key);
      ++report.forms_dropped;
      continue;
    }
    // A table's lone kanji (中 ちゅう) reads otherwise after kana (の中 なか); a particle form
    // built on its lone reading (中から ちゅう) would be longer than those keys and beat them.
    if (protect.contains(noun_surface)) continue;
    const std::vector<std::u32string>& guarded = *compounds.Ending(noun_surface);
    if (guarded.size() > kMaxGuardedCompounds) continue;
    std::u32string noun_reading = Joined(noun->segments);
    WordEntry noun_copy = *noun;
    for (std::u32string_view particle : kLongParticles) {
      if (particle.front() != last) continue;
      std::u32string longer = Then(noun_surface, particle);
      if (protect.contains(longer) || words.Has(longer)) continue;
      std::optional<std::u32string> reading =
          ReadingOfFirstWord(analyser, Then(longer, kEndFrame), noun_surface);
      if (!reading || *reading != noun_reading) continue;
      AddEntry(NounWithKana(noun_copy, particle, noun_copy.rank), words, report);
      for (const std::u32string& compound : guarded) {
        const WordEntry* word = words.Find(compound);
        std::u32string form = Then(compound, particle);
        if (word == nullptr ||
            form.size() > static_cast<std::size_t>(dictionary::kMaxWordLength) ||
            protect.contains(form) || words.Has(form)) {
          continue;
        }
        AddEntry(NounWithKana(*word, particle, word->rank), words, report);
      }
    }
  }
}

// A form ending in kana that prose reads as a shorter word and kana (同じよう as 同ずる's
// volitional, not 同じ + よう): the analyser splits it at the shorter word both alone and before
// ない. Only then does the form go; a form it keeps whole in either frame stays (書か in
// 書かない).
void DropFormsReadAsShorterWords(ContextAnalyser& analyser, const std::set<std::u32string>& protect,
                                 Words& words, const std::vector<std::u32string>& surfaces,
                                 ContextEntryReport& report) {
  auto splits_at = [&analyser](const std::u32string& text, const std::u32string& word) {
    std::optional<std::vector<AnalysedToken>> tokens = analyser.Analyse(text);
    return tokens && !tokens->empty() && tokens->front().surface == word;
  };
  for (const std::u32string& key : surfaces) {
    if (key.size() < 2 || protect.contains(key) || !IsHiragana(key.back())) continue;
    const WordEntry* entry = words.Find(key);
    if (entry == nullptr) continue;
    std::size_t kana_from = key.size();
    while (kana_from > 0 && IsHiragana(key[kana_from - 1])) --kana_from;
    for (std::size_t length = key.size() - 1; length >= kana_from && length > 0; --length) {
      std::u32string shorter = key.substr(0, length);
      const WordEntry* word = words.Find(shorter);
      if (word == nullptr) continue;
      if (Joined(word->segments) == Joined(entry->segments)) break;  // they read alike
      if (splits_at(Then(key, kEndFrame), shorter) && splits_at(Then(key, kVerbFrame), shorter)) {
        words.Remove(key);
        ++report.forms_dropped;
      }
      break;
    }
  }
}

void AddFollowingKanaEntries(ContextAnalyser& analyser, const std::vector<ContextPhrases>& table,
                             const std::set<std::u32string>& protect, Words& words,
                             ContextEntryReport& report) {
  for (const ContextPhrases& line : table) {
    const WordEntry* word = words.Find(line.word);
    if (word == nullptr) continue;
    WordEntry base = *word;
    for (const std::u32string& phrase : line.phrases) {
      if (phrase.size() <= line.word.size() || !phrase.starts_with(line.word)) continue;
      std::u32string key = phrase.substr(0, line.word.size() + 1);
      if (protect.contains(key)) continue;
      std::optional<std::u32string> reading =
          ReadingOfFirstWord(analyser, Then(phrase, kEndFrame), line.word);
      if (!reading) {
        // A verb's token holds its okurigana (来ない → 来); a word's token is the word itself.
        std::optional<std::vector<AnalysedToken>> tokens =
            analyser.Analyse(Then(phrase, kEndFrame));
        if (!tokens || tokens->empty() || !tokens->front().surface.starts_with(line.word)) continue;
        std::u32string_view tail =
            std::u32string_view(tokens->front().surface).substr(line.word.size());
        std::u32string_view whole = tokens->front().reading;
        if (whole.size() <= tail.size() || !whole.ends_with(tail)) continue;
        reading = std::u32string(whole.substr(0, whole.size() - tail.size()));
      }
      if (base.segments.size() != 1 && Joined(base.segments) != *reading) continue;
      WordEntry entry{key, base.segments, base.rank};
      if (entry.segments.size() == 1) entry.segments.front() = *reading;
      const WordEntry* existing = words.Find(key);
      if (existing != nullptr && Joined(existing->segments) == *reading) continue;
      report.bytes_added += EntryBytes(entry);
      ++report.entries_written;
      words.Put(std::move(entry));
    }
  }
}

}  // namespace

std::optional<std::vector<ContextPhrases>> ReadContextTable(const std::filesystem::path& path,
                                                            common::Messenger& messenger) {
  std::vector<ContextPhrases> table;
  bool read = ForEachTableLine(path, messenger, [&table](std::u32string_view line) {
    ContextPhrases row;
    std::size_t start = 0;
    while (start < line.size()) {
      std::size_t end = line.find(U' ', start);
      if (end == std::u32string_view::npos) end = line.size();
      if (end > start) {
        std::u32string field(line.substr(start, end - start));
        if (row.word.empty()) {
          row.word = std::move(field);
        } else {
          if (!field.starts_with(row.word)) return false;
          row.phrases.push_back(std::move(field));
        }
      }
      start = end + 1;
    }
    if (row.word.empty() || row.phrases.empty()) return false;
    table.push_back(std::move(row));
    return true;
  });
  if (!read) return std::nullopt;
  return table;
}

void DistilContext(ContextAnalyser& analyser, const std::vector<ContextPhrases>& table,
                   const std::vector<std::u32string>& protected_surfaces,
                   std::vector<WordEntry>& words, ContextEntryReport& report) {
  std::set<std::u32string> protect(protected_surfaces.begin(), protected_surfaces.end());
  std::vector<std::u32string> surfaces;
  surfaces.reserve(words.size());
  for (const WordEntry& entry : words) surfaces.push_back(entry.surface);
  CompoundsByEnding compounds(words);
  Words index(words);
  MendParticleKeys(analyser, protect, compounds, index, surfaces, report);
  DropFormsReadAsShorterWords(analyser, protect, index, surfaces, report);
  AddFollowingKanaEntries(analyser, table, protect, index, report);
  index.Finish();
}

}  // namespace dicgen
