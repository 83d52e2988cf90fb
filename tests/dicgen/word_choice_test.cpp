// Which words the main dictionary's source keeps: the entry chosen per word, the forms that
// shorter words or the context already read, and the format's limits on buckets and lines.
#include "dicgen/entry_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "dicgen/context_forms.h"
#include "dicgen/format_limits.h"
#include "dicgen/kana.h"
#include "dicgen/redundant_forms.h"
#include "dictionary/dictionary_compiler.h"
#include "dictionary/ruby_dictionary_format.h"
#include "tests/support/test_files.h"

namespace dicgen {
namespace {

using dictionary::BucketOf;
using dictionary::CompiledDictionary;
using dictionary::EntriesByLength;
using dictionary::kAlignment;
using dictionary::kBucketCounts;
using dictionary::kMaxBucketKeys;

const KanjiReadings& LineReadings() {
  KanjiEntry line;
  line.kanji_utf8 = "線";
  line.on_hiragana = {"せん", "ぜん"};
  KanjiEntry attach;
  attach.kanji_utf8 = "付";
  attach.kun = {"つ.ける", "-づけ"};
  attach.nanori = {"づけ"};  // a name reading is no evidence either
  static const KanjiReadings readings({line, attach});
  return readings;
}

LexiconRow Row(std::u32string surface, std::u32string reading, int cost, bool proper = false) {
  return {std::move(surface), std::move(reading), cost, proper, false, false};
}

TEST(EntrySelection, GeneralWordsFirstThenTheLowestCost) {
  SjisTable sjis;
  DropLog drops;
  std::vector<LexiconRow> rows = {Row(U"生", U"なま", 3000),         Row(U"生", U"き", 100, true),
                                  Row(U"生", U"せい", 2000),         Row(U"嚙", U"かみ", 10),
                                  Row(U"Ｘ線", U"えっくすせん", 10), Row(U"X線", U"せん", 10)};
  std::vector<WordEntry> chosen = SelectReadings(rows, sjis, LineReadings(), drops);
  ASSERT_EQ(chosen.size(), 2u);
  EXPECT_EQ(chosen[0].surface, U"生");
  EXPECT_EQ(chosen[0].segments, std::vector<std::u32string>{U"せい"});
  EXPECT_EQ(chosen[1].surface, U"Ｘ線");  // the letter takes えっくす
  EXPECT_EQ(chosen[1].segments, std::vector<std::u32string>{U"せん"});
  EXPECT_EQ(drops.Count(DropReason::kNotShiftJis), 1u);
  EXPECT_EQ(drops.Count(DropReason::kHalfWidth), 1u);
}

LexiconRow Marked(std::u32string surface, std::u32string reading, int cost, bool affix,
                  bool variant, bool classical = false) {
  LexiconRow row = Row(std::move(surface), std::move(reading), cost);
  row.affix = affix;
  row.variant = variant;
  row.classical = classical;
  return row;
}

TEST(EntrySelection, StandaloneReadingsBeforeAffixesVariantsAndClassicalForms) {
  SjisTable sjis;
  DropLog drops;
  std::vector<LexiconRow> rows = {
      // a word of two characters takes its own reading before a suffix's, at any cost
      Marked(U"線付", U"せんつけ", 100, true, false),
      Marked(U"線付", U"せんづけ", 3000, false, false),
      // a lone kanji mostly follows another word, where the suffix is right
      Marked(U"線", U"ぜん", 100, true, false), Marked(U"線", U"せん", 3000, false, false),
      // a lemma's own form before a spoken variant
      Marked(U"付", U"つ", 100, false, true), Marked(U"付", U"づけ", 3000, false, false),
      // classical forms and variants are never chosen; a word that has nothing else is left out
      Marked(U"付は", U"つ", 100, false, false, true),
      Marked(U"線線", U"せんせん", 100, false, true),
      // a name with kana between its kanji would be matched across two words in prose
      Row(U"線の線", U"せんのせん", 100, true),
      // so would a word that begins with a kana other than an honorific prefix
      Row(U"い線", U"いせん", 100), Row(U"ご線", U"ごせん", 100)};
  std::vector<WordEntry> chosen = SelectReadings(rows, sjis, LineReadings(), drops);
  ASSERT_EQ(chosen.size(), 4u);
  EXPECT_EQ(chosen[0].surface, U"ご線");
  chosen.erase(chosen.begin());
  EXPECT_EQ(chosen[0].surface, U"付");
  EXPECT_EQ(chosen[0].segments, std::vector<std::u32string>{U"づけ"});
  EXPECT_EQ(chosen[1].surface, U"線");
  EXPECT_EQ(chosen[1].segments, std::vector<std::u32string>{U"ぜん"});
  EXPECT_EQ(chosen[2].surface, U"線付");
  EXPECT_EQ(chosen[2].segments, (std::vector<std::u32string>{U"せん", U"づけ"}));
  EXPECT_EQ(drops.Count(DropReason::kClassical), 1u);
  EXPECT_EQ(drops.Count(DropReason::kVariantOnly), 1u);
  EXPECT_EQ(drops.Count(DropReason::kNameWithKana), 1u);
}

TEST(EntrySelection, PlainReadingBeatsItsRendakuFormAtAnyCost) {
  SjisTable sjis;
  DropLog drops;
  std::vector<LexiconRow> rows = {Row(U"日", U"び", 100),     Row(U"日", U"ひ", 3000),
                                  Row(U"人", U"びと", 100),   Row(U"線", U"ぜん", 100),
                                  Row(U"線", U"せん", 3000),  Row(U"付け", U"づけ", 100),
                                  Row(U"付け", U"つけ", 3000)};
  std::vector<WordEntry> chosen = SelectReadings(rows, sjis, LineReadings(), drops);
  ASSERT_EQ(chosen.size(), 4u);
  EXPECT_EQ(chosen[0].segments, std::vector<std::u32string>{U"びと"});  // no plain form listed
  // づけ only follows another kanji (名付け), so 付け on its own reads つけ.
  EXPECT_EQ(chosen[1].segments, std::vector<std::u32string>{U"つ"});
  EXPECT_EQ(chosen[2].segments, std::vector<std::u32string>{U"ひ"});
  // ぜん is KANJIDIC's own reading of 線 in this fixture, so it is no sound change.
  EXPECT_EQ(chosen[3].segments, std::vector<std::u32string>{U"ぜん"});
}

WordEntry Word(std::u32string surface, std::vector<std::u32string> segments, long rank = 0) {
  return {std::move(surface), std::move(segments), rank};
}

bool IsKanjiOrKe(char32_t c) { return IsKanji(c) || c == U'ケ' || c == U'ヶ'; }

std::vector<std::u32string> Surfaces(const std::vector<WordEntry>& words) {
  std::vector<std::u32string> surfaces;
  for (const WordEntry& word : words) surfaces.push_back(word.surface);
  std::sort(surfaces.begin(), surfaces.end());
  return surfaces;
}

TEST(RedundantForms, FormsThatTheShorterWordsReadAlikeGo) {
  std::vector<WordEntry> kept = DropRedundantForms(
      {Word(U"書か", {U"か"}), Word(U"書かれる", {U"か"}), Word(U"歌い", {U"うた"}),
       Word(U"舞お", {U"ま"}), Word(U"歌い舞お", {U"うた", U"ま"}), Word(U"書", {U"しょ"}),
       Word(U"書かせ", {U"しょ"})},
      IsKanjiOrKe);
  EXPECT_EQ(Surfaces(kept),
            (std::vector<std::u32string>{U"書", U"書か", U"書かせ", U"歌い", U"舞お"}));
}

TEST(RedundantForms, FormStaysWhereALongerWordWouldTakeItsKanji) {
  // In 作成される, 成され (three characters) would be matched before 作成 (two).
  std::vector<WordEntry> kept =
      DropRedundantForms({Word(U"作成", {U"さく", U"せい"}), Word(U"作成さ", {U"さく", U"せい"}),
                          Word(U"成され", {U"な"})},
                         IsKanjiOrKe);
  EXPECT_EQ(kept.size(), 3u);
}

TEST(ContextForms, KanaBeforeTheKanjiKeepsLongerWordsWhole) {
  // 中から (a spelling of 中辛) reads 中 as it reads alone, and 上が (a verb's stem) ends in a
  // single particle: after の both are the context's なか, うえ. 上がる reads 上 otherwise and
  // keeps its own reading after の.
  std::vector<WordEntry> words = {Word(U"中", {U"ちゅう"}),     Word(U"中国", {U"ちゅう", U"ごく"}),
                                  Word(U"中から", {U"ちゅう"}), Word(U"国", {U"くに"}),
                                  Word(U"上", {U"じょう"}),     Word(U"上がる", {U"あ"}),
                                  Word(U"上が", {U"あ"})};
  std::vector<WordEntry> forms = ContextProtectingForms(
      {Word(U"の中", {U"なか"}, -5), Word(U"の上", {U"うえ"}, -5)}, words, IsKanjiOrKe);
  std::vector<std::pair<std::u32string, std::vector<std::u32string>>> got;
  for (const WordEntry& form : forms) {
    EXPECT_EQ(form.rank, -5);
    got.emplace_back(form.surface, form.segments);
  }
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, (std::vector<std::pair<std::u32string, std::vector<std::u32string>>>{
                     {U"の上が", {U"うえ"}},
                     {U"の上がる", {U"あ"}},
                     {U"の中から", {U"なか"}},
                     {U"の中国", {U"ちゅう", U"ごく"}}}));
}

TEST(ContextForms, KanaBeforeTheClosingKanjiKeepsLongerWordsWhole) {
  // 読む時 reads 時 とき; 読む時間 must not become 読む時 + 間. Kana after the word's own kanji
  // keep its reading (読む時から とき, 気に入っ い), whatever the longer word reads. A word without
  // kana before its closing kanji (時間) or ending in kana (読み込む) has nothing to guard.
  std::vector<WordEntry> words = {Word(U"時", {U"じ"}), Word(U"時間", {U"じ", U"かん"}),
                                  Word(U"時から", {U"じ"}), Word(U"入", {U"にゅう"}),
                                  Word(U"入っ", {U"はい"})};
  std::vector<WordEntry> forms = ContextProtectingForms(
      {Word(U"読む時", {U"よ", U"とき"}, -5), Word(U"気に入", {U"き", U"い"}, -5),
       Word(U"時間", {U"じ", U"かん"}), Word(U"読み込む", {U"よ", U"こ"})},
      words, IsKanjiOrKe);
  std::vector<std::pair<std::u32string, std::vector<std::u32string>>> got;
  for (const WordEntry& form : forms) got.emplace_back(form.surface, form.segments);
  std::sort(got.begin(), got.end());
  EXPECT_EQ(got, (std::vector<std::pair<std::u32string, std::vector<std::u32string>>>{
                     {U"気に入っ", {U"き", U"い"}},
                     {U"読む時から", {U"よ", U"とき"}},
                     {U"読む時間", {U"よ", U"じ", U"かん"}}}));
}

TEST(ContextForms, WordEndingInTheContextsKanaIsJoinedWithIt) {
  std::vector<WordEntry> words = {Word(U"若い", {U"わか"}, 7),     Word(U"怪しい", {U"あや"}),
                                  Word(U"返す", {U"かえ"}),        Word(U"小さな", {U"ちい"}),
                                  Word(U"値段", {U"ね", U"だん"}), Word(U"者", {U"しゃ"})};
  std::vector<WordEntry> context_words = {Word(U"い者", {U"もの"}), Word(U"す値", {U"あたい"})};
  std::vector<WordEntry> protecting = {Word(U"す値段", {U"ね", U"だん"}),
                                       Word(U"な子供", {U"こ", U"ども"})};
  KanaOverlapForms overlaps = FormsForKanaOverlaps(context_words, protecting, words, IsKanjiOrKe);
  // 怪しい is longer than い者 and is matched in an earlier pass, which leaves い者 its kana.
  ASSERT_EQ(overlaps.forms.size(), 1u);
  EXPECT_EQ(overlaps.forms[0].surface, U"若い者");
  EXPECT_EQ(overlaps.forms[0].segments, (std::vector<std::u32string>{U"わか", U"もの"}));
  EXPECT_EQ(overlaps.forms[0].rank, 7);
  // 返す値 would split 返す値段 (す値段, longer than 返す, keeps its kana); 小さな meets
  // な子供 in the same pass.
  EXPECT_EQ(overlaps.overlaps_left, 2u);
  EXPECT_EQ(overlaps.examples_left, (std::vector<std::u32string>{U"返す|す値", U"小さな|な子供"}));
}

std::u32string TenKanji(std::size_t number) {
  static constexpr std::u32string_view kDigits = U"一二三四五六七八九十";
  std::u32string word;
  for (int i = 0; i < 10; ++i, number /= 10) word.push_back(kDigits[number % 10]);
  return word;
}

TEST(FormatLimits, FullBucketKeepsTheBestRankedWords) {
  SjisTable sjis;
  std::vector<WordEntry> words;
  std::uint32_t bucket = 0;
  for (std::size_t n = 0; words.size() < kMaxBucketKeys + 3; ++n) {
    std::u32string surface = TenKanji(n);
    std::uint32_t at = BucketOf(sjis.EncodeWord(surface)->sjis, kBucketCounts[9]);
    if (words.empty()) bucket = at;
    if (at != bucket) continue;
    words.push_back(
        Word(surface, std::vector<std::u32string>(10, U"い"), static_cast<long>(words.size())));
  }
  DropLog drops;
  std::vector<SourceLine> lines = FitFormatLimits(words, sjis, drops);
  EXPECT_EQ(lines.size(), kMaxBucketKeys);
  EXPECT_EQ(drops.Count(DropReason::kBucketFull), 3u);
  EXPECT_EQ(lines.back().rank, 0);  // the best word ends its bucket
  for (const SourceLine& line : lines) EXPECT_LT(line.rank, static_cast<long>(kMaxBucketKeys));
}

TEST(FormatLimits, KeysOfOneLengthStopAtTheSectionSize) {
  SjisTable sjis;
  std::vector<WordEntry> words;
  for (std::size_t n = 0; n < 36010; ++n) {
    words.push_back(
        Word(TenKanji(n), std::vector<std::u32string>(10, U"い"), static_cast<long>(n)));
  }
  DropLog drops;
  std::vector<SourceLine> lines = FitFormatLimits(words, sjis, drops);
  EXPECT_EQ(lines.size(), 720000u / 20);
  EXPECT_EQ(drops.Count(DropReason::kLengthFull), 10u);
  EXPECT_EQ(drops.Count(DropReason::kBucketFull), 0u);
}

TEST(FormatLimits, SizeCountsEverySeparatorOfTheReadings) {
  // The 24-bit guard rests on this size: every '*' is a byte of its own in the dictionary.
  SjisTable sjis;
  DropLog drops;
  std::vector<WordEntry> words;
  for (std::size_t n = 0; n < 500; ++n) {
    words.push_back(Word(TenKanji(n), std::vector<std::u32string>(10, U"い"), 0));
    words.push_back(Word(TenKanji(n).substr(0, 3) + U"し", {U"い", U"に", U"さん"}, 0));
  }
  std::vector<SourceLine> lines = FitFormatLimits(words, sjis, drops);
  EntriesByLength entries;
  for (const SourceLine& line : lines) {
    entries[line.key_bytes / 2 - 1].push_back(
        {line.text.substr(0, line.key_bytes), line.text.substr(line.key_bytes + 1)});
  }
  CompiledDictionary compiled = CompileDictionary(entries);
  ASSERT_TRUE(compiled.ok());
  std::size_t padded = (compiled.bytes.size() + kAlignment - 1) / kAlignment * kAlignment;
  EXPECT_EQ(DictionaryBytes(lines), padded);
}

TEST(FormatLimits, LongWordsAndLongLinesAreLeftOutWithTheirReason) {
  SjisTable sjis;
  DropLog drops;
  std::vector<SourceLine> lines =
      FitFormatLimits({Word(U"一二三四五六七八九十一", std::vector<std::u32string>(11, U"い")),
                       Word(U"一二三四五六七八九十", std::vector<std::u32string>(10, U"いち")),
                       Word(U"一二三四五六七八九十", std::vector<std::u32string>(10, U"い"))},
                      sjis, drops);
  EXPECT_EQ(lines.size(), 1u);
  EXPECT_EQ(drops.Count(DropReason::kTooLong), 1u);
  EXPECT_EQ(drops.Count(DropReason::kEntryTooLong), 1u);
  EXPECT_EQ(drops.Lines().size(), 2u);
}

}  // namespace
}  // namespace dicgen
