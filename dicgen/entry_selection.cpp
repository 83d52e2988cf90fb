// Rows of one surface are tried best first; the first whose reading aligns is the surface's
// reading, so a general word's reading is never displaced by a name's.
#include "dicgen/entry_selection.h"

#include <algorithm>
#include <tuple>

#include "dicgen/kana.h"

namespace dicgen {
namespace {

// A lexicon word that begins with a single kana before its kanji (に格, い段, し尿) would take
// that kana from the text before it, mostly the end of a particle or a verb, and split the word
// after it (に格納 → に格 + 納, しい段落 → い段 + 落), so such words are left out. The
// honorific prefixes stay (お金, ご飯, み心): they begin words of their own.
constexpr std::u32string_view kHonorificPrefixes = U"おごみ";

bool StartsWithKanaOfTheTextBefore(const std::u32string& surface) {
  return surface.size() > 1 && IsHiragana(surface[0]) && !IsHiragana(surface[1]) &&
         kHonorificPrefixes.find(surface[0]) == std::u32string_view::npos;
}

// An affix reading loses against the word's own, except for a single kanji: longest match gives
// a lone kanji its entry mostly right after another word, where it is that word's suffix
// (図書+館 かん, 王+様 さま, 子供+達 たち).
bool AffixOfWord(const LexiconRow& row) { return row.affix && row.surface.size() > 1; }

// A word's entry holds the reading it has standing alone in prose: general words before names,
// ordinary words before prefixes and suffixes, a lemma's own form before its spoken variants,
// and only then the lowest cost. Classical forms come last, and are never chosen.
bool RowBefore(const LexiconRow& a, const LexiconRow& b) {
  bool a_affix = AffixOfWord(a);
  bool b_affix = AffixOfWord(b);
  return std::tie(a.surface, a.classical, a.proper_noun, a_affix, a.variant, a.cost) <
         std::tie(b.surface, b.classical, b.proper_noun, b_affix, b.variant, b.cost);
}

// ケ and ヶ get ruby wherever they stand in a word (一ヶ月 いっかげつ); one that belongs to a
// katakana word (ボケ, ケイ子) would get its own ruby in the text.
bool HasKatakanaKe(std::u32string_view surface) {
  auto katakana = [](char32_t c) {
    return (IsKatakana(c) || c == U'ー') && c != U'ケ' && c != U'ヶ';
  };
  for (std::size_t i = 0; i < surface.size(); ++i) {
    if (surface[i] != U'ケ' && surface[i] != U'ヶ') continue;
    if ((i > 0 && katakana(surface[i - 1])) ||
        (i + 1 < surface.size() && katakana(surface[i + 1]))) {
      return true;
    }
  }
  return false;
}

// Whether the first character of `surface` has a reading of its own, not a sound change nor a
// form it takes only after another kanji, that `reading` begins with: 具 ぐ and 分 ぶん are no
// rendaku, 付 づけ is.
bool BeginsWithOwnReading(std::u32string_view surface, std::u32string_view reading,
                          const KanjiReadings& readings) {
  const std::vector<KanjiReading>* candidates = readings.Find(surface.front());
  if (candidates == nullptr) return false;
  return std::any_of(candidates->begin(), candidates->end(), [reading](const KanjiReading& own) {
    return !own.voiced && !own.suffix_only && own.score == kExactScore &&
           reading.starts_with(own.kana);
  });
}

// Whether `reading` is the rendaku form of another reading of the same surface (付け づけ beside
// つけ, 川 がわ beside かわ). A word takes that form only after another word in a compound, and
// a compound the lexicon lacks is better read plainly than a word at the start of a phrase
// wrongly (名前を付ける).
bool IsRendakuOfAnother(std::u32string_view surface, std::u32string_view reading,
                        const KanjiReadings& readings, const std::vector<LexiconRow>& rows,
                        std::size_t first, std::size_t end) {
  if (reading.empty() || Unvoiced(reading.front()) == reading.front()) return false;
  if (BeginsWithOwnReading(surface, reading, readings)) return false;
  for (std::size_t i = first; i < end; ++i) {
    std::u32string_view other = rows[i].reading;
    if (other.size() == reading.size() && other.front() == Unvoiced(reading.front()) &&
        other.substr(1) == reading.substr(1)) {
      return true;
    }
  }
  return false;
}

// The Shift_JIS form of a word that fits the dictionary with a reading that Shift_JIS can
// write; nullopt with the reason otherwise.
std::optional<EncodedWord> EncodeWordAndReading(std::u32string_view surface,
                                                std::u32string_view reading, const SjisTable& sjis,
                                                DropReason& reason) {
  if (surface.size() > kMaxWordChars) {
    reason = DropReason::kTooLong;
    return std::nullopt;
  }
  std::optional<EncodedWord> word = sjis.EncodeWord(surface);
  if (!word || !sjis.EncodeReading(reading)) {
    reason = WhyNotEncoded(surface);
    return std::nullopt;
  }
  return word;
}

}  // namespace

std::optional<WordEntry> MakeEntry(std::u32string_view surface, std::u32string_view reading,
                                   const SjisTable& sjis, const KanjiReadings& readings,
                                   DropReason& reason) {
  std::optional<EncodedWord> word = EncodeWordAndReading(surface, reading, sjis, reason);
  if (!word) return std::nullopt;
  if (HasKatakanaKe(surface)) {
    reason = DropReason::kKatakanaKe;
    return std::nullopt;
  }
  std::optional<Alignment> alignment = AlignReading(surface, word->targets, reading, readings);
  if (!alignment || word->target_count == 0) {
    reason = DropReason::kReadingMismatch;
    return std::nullopt;
  }
  return WordEntry{std::u32string(surface), std::move(alignment->segments), 0};
}

std::optional<WordEntry> MakeEntryFromTargetReading(std::u32string_view surface,
                                                    std::u32string_view reading,
                                                    const SjisTable& sjis,
                                                    const KanjiReadings& readings,
                                                    DropReason& reason) {
  std::optional<EncodedWord> word = EncodeWordAndReading(surface, reading, sjis, reason);
  if (!word) return std::nullopt;
  std::u32string targets_only;
  for (std::size_t i = 0; i < surface.size(); ++i) {
    if (word->targets[i]) targets_only.push_back(surface[i]);
  }
  std::optional<Alignment> alignment =
      AlignReading(targets_only, std::vector<bool>(targets_only.size(), true), reading, readings);
  if (!alignment || targets_only.empty()) {
    reason = DropReason::kReadingMismatch;
    return std::nullopt;
  }
  return WordEntry{std::u32string(surface), std::move(alignment->segments), 0};
}

namespace {

bool HasKanaBetweenKanji(std::u32string_view surface) {
  auto is_kanji = [](char32_t c) { return IsKanji(c) || c == U'々'; };
  auto first = std::find_if(surface.begin(), surface.end(), is_kanji);
  auto last = std::find_if(surface.rbegin(), surface.rend(), is_kanji).base();
  return first < last && std::any_of(first, last, IsHiragana);
}

}  // namespace

std::vector<WordEntry> SelectReadings(std::vector<LexiconRow>& rows, const SjisTable& sjis,
                                      const KanjiReadings& readings, DropLog& drops) {
  std::sort(rows.begin(), rows.end(), RowBefore);
  std::vector<WordEntry> entries;
  for (std::size_t first = 0; first < rows.size();) {
    std::size_t end = first + 1;
    while (end < rows.size() && rows[end].surface == rows[first].surface) ++end;
    if (StartsWithKanaOfTheTextBefore(rows[first].surface)) {
      first = end;
      continue;
    }
    DropReason reason = DropReason::kReadingMismatch;
    bool chosen = false;
    bool only_classical = true;
    bool only_variants = true;
    std::u32string_view tried;
    for (std::size_t i = first; i < end && !chosen; ++i) {
      const LexiconRow& row = rows[i];
      // Classical forms (会ふ's 会は, 雪ぐ's 雪が) would take a particle from the text after a
      // noun.
      if (row.classical) break;
      only_classical = false;
      // A variant is never chosen: a word that has only variants (御馳走 as ごっつぉ) is
      // better left to its parts (御 + 馳走).
      if (row.variant) continue;
      only_variants = false;
      // A name such as 下の関 is matched across words in prose (以下の関数) far more often
      // than it stands for the name.
      if (row.proper_noun && HasKanaBetweenKanji(row.surface)) {
        reason = DropReason::kNameWithKana;
        continue;
      }
      if (row.reading == tried) continue;  // tried already
      tried = row.reading;
      if (IsRendakuOfAnother(row.surface, row.reading, readings, rows, first, end)) continue;
      std::optional<WordEntry> entry = MakeEntry(row.surface, row.reading, sjis, readings, reason);
      if (!entry) {
        if (reason == DropReason::kTooLong) break;  // no reading can help
        continue;
      }
      entry->rank = row.cost + (row.proper_noun ? kProperNounRank : 0);
      entries.push_back(std::move(*entry));
      chosen = true;
    }
    if (!chosen) {
      drops.Add(only_classical  ? DropReason::kClassical
                : only_variants ? DropReason::kVariantOnly
                                : reason,
                rows[first].surface);
    }
    first = end;
  }
  return entries;
}

}  // namespace dicgen
