// Splitting a word's reading over its kanji, and the project tables that feed the generator.
#include "dicgen/reading_alignment.h"

#include <gtest/gtest.h>

#include "dicgen/counters.h"
#include "dicgen/kana.h"
#include "dicgen/kanjidic.h"
#include "dicgen/overrides.h"

namespace dicgen {
namespace {

KanjiEntry Kanji(std::string kanji, std::vector<std::string> on, std::vector<std::string> kun,
                 std::vector<std::string> nanori = {}) {
  KanjiEntry entry;
  entry.kanji_utf8 = std::move(kanji);
  entry.on_hiragana = std::move(on);
  entry.kun = std::move(kun);
  entry.nanori = std::move(nanori);
  return entry;
}

const KanjiReadings& Readings() {
  static const KanjiReadings readings({
      Kanji("漢", {"かん"}, {}),
      Kanji("字", {"じ"}, {"あざ"}),
      Kanji("人", {"じん", "にん"}, {"ひと", "-り"}),
      Kanji("学", {"がく"}, {"まな.ぶ"}),
      Kanji("校", {"こう"}, {}),
      Kanji("書", {"しょ"}, {"か.く"}),
      Kanji("一", {"いち", "いつ"}, {"ひと", "ひと.つ"}),
      Kanji("月", {"げつ", "がつ"}, {"つき"}),
      Kanji("今", {"こん", "きん"}, {"いま"}),
      Kanji("日", {"にち", "じつ"}, {"ひ", "-か"}, {"す"}),
      Kanji("明", {"めい", "みょう"}, {"あ.かり", "あ.ける"}),
      Kanji("大", {"だい", "たい"}, {"おお.きい"}),
      Kanji("受", {"じゅ"}, {"う.ける"}),
      Kanji("付", {"ふ"}, {"つ.ける"}),
      Kanji("八", {"はち"}, {"や", "や.つ"}),
      Kanji("百", {"ひゃく"}, {"もも"}),
      Kanji("屋", {"おく"}, {"や"}),
      Kanji("三", {"さん"}, {"み", "み.つ"}),
      Kanji("味", {"み"}, {"あじ"}),
      Kanji("線", {"せん"}, {}),
  });
  return readings;
}

// The segments as one string, '*' between them.
std::string Split(std::u32string_view surface, std::u32string_view reading) {
  std::vector<bool> targets;
  for (char32_t c : surface) targets.push_back(!IsHiragana(c));
  std::optional<Alignment> alignment = AlignReading(surface, targets, reading, Readings());
  if (!alignment) return "(none)";
  std::u32string joined;
  for (std::size_t i = 0; i < alignment->segments.size(); ++i) {
    if (i > 0) joined += U'*';
    joined += alignment->segments[i];
  }
  return EncodeUtf8(joined);
}

TEST(ReadingAlignment, SplitsTheReadingOverTheKanji) {
  struct Case {
    std::u32string_view surface, reading;
    std::string_view expected;
  };
  const Case cases[] = {
      {U"漢字", U"かんじ", "かん*じ"},      // each kanji takes its KANJIDIC reading
      {U"人々", U"ひとびと", "ひと*びと"},  // 々 repeats 人, voiced
      {U"学校", U"がっこう", "がっ*こう"},  // final く becomes っ before another kanji
      {U"書かれる", U"かかれる", "か"},     // okurigana must reappear in the reading
      {U"書かれる", U"かけれる", "(none)"},
      {U"一ヶ月", U"いっかげつ", "いっ*か*げつ"},  // ヶ reads か between numeral and counter
      {U"受付", U"うけつけ", "うけ*つけ"},         // kun stem without its okurigana
      {U"今日", U"きょう", "*きょう"},             // an unsplittable run takes group ruby
      {U"大人", U"おとな", "*おとな"},
      // や + 百屋 おや and 八百 やお + や score alike: neither split can be trusted.
      {U"八百屋", U"やおや", "**やおや"},
      {U"三味線", U"しゃみせん", "*しゃみ*せん"},  // only one split explains the group
      // 明 あ (from あ.かり) and 日 す (a name reading) would split あす; that is 熟字訓.
      {U"明日", U"あす", "*あす"},
      {U"今日", U"ゃあ", "(none)"},  // no segment starts with a small kana
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Split(c.surface, c.reading), c.expected) << EncodeUtf8(std::u32string(c.reading));
  }
}

TEST(Kanjidic, LineGivesGradeFrequencyAndThreeKindsOfReading) {
  std::optional<KanjiEntry> entry = ParseKanjidicLine(
      "日 467C U65e5 B72 G1 S4 F1 J4 ニチ ジツ ひ -び -か T1 あ あき {day} {sun}");
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->kanji_utf8, "日");
  EXPECT_EQ(entry->grade, 1);
  EXPECT_EQ(entry->frequency, 1);
  EXPECT_EQ(entry->on_hiragana, (std::vector<std::string>{"にち", "じつ"}));
  EXPECT_EQ(entry->kun, (std::vector<std::string>{"ひ", "-び", "-か"}));
  EXPECT_EQ(entry->nanori, (std::vector<std::string>{"あ", "あき"}));
  EXPECT_FALSE(ParseKanjidicLine("# KANJIDIC JIS X 0208 Kanji Information File"));
}

TEST(Counters, NumbersAloneAndInsideLongerNumbers) {
  std::optional<CounterReadings> people = ParseCounterLine(
      U"人 ひとり/いちにん ふたり/ににん さんにん よにん ごにん ろくにん しちにん はちにん "
      U"きゅうにん じゅうにん なんにん");
  std::optional<CounterReadings> sticks = ParseCounterLine(
      U"本 いっぽん にほん さんぼん よんほん ごほん ろっぽん ななほん はっぽん きゅうほん "
      U"じゅっぽん なんぼん");
  ASSERT_TRUE(people && sticks);
  std::vector<CounterWord> words = CounterWords({*people, *sticks});
  auto reading_of = [&words](std::u32string_view surface) {
    for (const CounterWord& word : words) {
      if (word.surface == surface) return EncodeUtf8(word.reading);
    }
    return std::string("(none)");
  };
  EXPECT_EQ(reading_of(U"一人"), "ひとり");
  EXPECT_EQ(reading_of(U"十一人"), "じゅういちにん");
  EXPECT_EQ(reading_of(U"何人"), "なんにん");
  EXPECT_EQ(reading_of(U"三十本"), "さんじゅっぽん");
  EXPECT_EQ(reading_of(U"二十三本"), "にじゅうさんぼん");
  EXPECT_EQ(reading_of(U"九十九本"), "きゅうじゅうきゅうほん");
}

TEST(Counters, LineWithoutElevenReadingsIsFaulty) {
  EXPECT_FALSE(ParseCounterLine(U"本 いっぽん にほん"));
  EXPECT_FALSE(
      ParseCounterLine(U"本 イッポン にほん さんぼん よんほん ごほん ろっぽん ななほん "
                       U"はっぽん きゅうほん じゅっぽん なんぼん"));
}

TEST(Overrides, ReadingSplitOrWholeAndRemoval) {
  std::optional<Override> split = ParseOverrideLine(U"漢字,かん*じ # a comment");
  ASSERT_TRUE(split);
  EXPECT_EQ(split->reading, U"かんじ");
  EXPECT_EQ(split->segments, (std::vector<std::u32string>{U"かん", U"じ"}));
  std::optional<Override> whole = ParseOverrideLine(U"の中,なか");
  ASSERT_TRUE(whole);
  EXPECT_TRUE(whole->segments.empty());
  std::optional<Override> removal = ParseOverrideLine(U"に格,-");
  ASSERT_TRUE(removal);
  EXPECT_TRUE(removal->remove);
  EXPECT_FALSE(ParseOverrideLine(U"漢字,カンジ"));
  EXPECT_FALSE(ParseOverrideLine(U"漢字"));
}

}  // namespace
}  // namespace dicgen
