// The forms of する and the words that compete with them are read off the lexicon itself, so
// they follow whatever conjugation the lexicon lists (IPAdic and UniDic differ).
#include "dicgen/compound_forms.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_set>

#include "dicgen/kana.h"

namespace dicgen {
namespace {

bool IsKanaTail(std::u32string_view tail) {
  return !tail.empty() &&
         std::all_of(tail.begin(), tail.end(), [](char32_t c) { return IsHiragana(c); });
}

// The kana tails of the する verbs: し, する, しよう, さ, … as the lexicon spells them after a
// one-kanji stem (了し, 了しよう).
std::set<std::u32string> SahenTails(const std::vector<LexiconRow>& rows) {
  std::set<std::u32string> tails;
  for (const LexiconRow& row : rows) {
    if (!row.sahen_verb || row.surface.size() < 2 || !IsKanji(row.surface[0])) continue;
    std::u32string tail = row.surface.substr(1);
    if (IsKanaTail(tail)) tails.insert(tail);
  }
  return tails;
}

// The tails that follow a kanji as some word of the lexicon, whatever its kind: 了 → し, しよう
// (了する); 納 → さ (納す). Those are the words that would split a compound before them.
std::map<char32_t, std::set<std::u32string>> CompetingTails(
    const std::vector<LexiconRow>& rows, const std::set<std::u32string>& sahen_tails) {
  std::map<char32_t, std::set<std::u32string>> competing;
  for (const LexiconRow& row : rows) {
    if (row.surface.size() < 2 || !IsKanji(row.surface[0])) continue;
    std::u32string tail = row.surface.substr(1);
    if (sahen_tails.contains(tail)) competing[row.surface[0]].insert(tail);
  }
  return competing;
}

}  // namespace

std::vector<WordEntry> SahenCompoundForms(const std::vector<LexiconRow>& rows,
                                          const std::vector<WordEntry>& entries) {
  std::map<char32_t, std::set<std::u32string>> tails = CompetingTails(rows, SahenTails(rows));
  std::unordered_set<std::u32string> nouns;
  for (const LexiconRow& row : rows) {
    if (row.sahen_noun && row.surface.size() >= 2) nouns.insert(row.surface);
  }
  std::vector<WordEntry> forms;
  for (const WordEntry& entry : entries) {
    if (!nouns.contains(entry.surface)) continue;
    auto found = tails.find(entry.surface.back());
    if (found == tails.end()) continue;
    for (const std::u32string& tail : found->second) {
      forms.push_back({entry.surface + tail, entry.segments, entry.rank});
    }
  }
  return forms;
}

}  // namespace dicgen
