// The context reading on scripted analyses: where groups go, what stays untouched, and the
// conventions it keeps over the analyser's readings.
#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/encoding/sjis.h"
#include "engine/context/context_stage.h"
#include "engine/context/conventions.h"
#include "engine/context/reading_split.h"
#include "tests/engine/context/scripted_tagger.h"

namespace engine::context {
namespace {

using common::Sjis;

std::uint16_t Code(std::string_view kanji_utf8) {
  std::string sjis = Sjis(kanji_utf8);
  return CodeAt(sjis, 0);
}

// Readings the kanji of the cases take in words, as a main dictionary would give them.
std::shared_ptr<Lexicon> CaseLexicon() {
  auto lexicon = std::make_shared<Lexicon>();
  for (auto [kanji, reading] : std::initializer_list<std::pair<const char*, const char*>>{
           {"自", "じ"},   {"動", "どう"}, {"車", "しゃ"}, {"行", "い"},   {"漢", "かん"},
           {"字", "じ"},   {"本", "ほん"}, {"分", "ふん"}, {"日", "にち"}, {"方", "ほう"},
           {"保", "ほ"},   {"護", "ご"},   {"者", "しゃ"}, {"右", "みぎ"}, {"何", "なに"},
           {"川", "かわ"}, {"江", "え"},   {"戸", "と"},   {"木", "き"},   {"一", "いち"}, {"十", "じゅう"}, {"七", "しち"},
           {"君", "くん"}, {"学", "がく"}, {"校", "こう"}, {"人", "ひと"}, {"誕", "たん"},
           {"生", "じょう"}, {"母", "はは"}, {"曜", "よう"}, {"月", "げつ"}}) {
    lexicon->AddKanjiReading(Code(kanji), Sjis(reading));
  }
  return lexicon;
}

struct ReadingCase {
  const char* name;
  const char* text;  // UTF-8; \x11…\x12 an area, \x0F the body start
  bool html;
  const char* sentence;  // what the analyser is given
  std::vector<std::string> words;
  const char* expected;
};

class ContextReadingTest : public ::testing::TestWithParam<ReadingCase> {};

TEST_P(ContextReadingTest, WritesTheGroupsOfEachSentence) {
  const ReadingCase& c = GetParam();
  auto analyser = std::make_shared<testing::ScriptedAnalyser>();
  analyser->Script(c.sentence, c.words);
  ContextResources resources{analyser, CaseLexicon()};
  std::string out = ReadInContext(Sjis(c.text), c.html, resources);
  EXPECT_EQ(common::Cp932ToUtf8Lossy(out), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContextReadingTest,
    ::testing::Values(
        ReadingCase{"SuffixOfACompound", "自動車で行く。", false, "自動車で行く。",
                    {"自動車:名詞:ジドウシャ", "で:助詞:デ", "行く:動詞:イク", "。:補助記号:"},
                    "{自/じ}{動/どう}{車/しゃ}で{行/い}く。"},
        ReadingCase{"ReadingThatDoesNotDivideIsOneGroup", "今日は", false, "今日は",
                    {"今日:名詞:キョウ", "は:助詞:ハ"}, "{今/}{日/きょう}は"},
        ReadingCase{"GroupAlreadyWrittenIsKeptAndGivesContext", "{山田/やまだ}君", false,
                    "山田君", {"山田:名詞:ヤマダ", "君:接尾辞:クン"}, "{山田/やまだ}{君/くん}"},
        ReadingCase{"AreaIsNotRead", "\x11漢字\x12漢字", false, "漢字", {"漢字:名詞:カンジ"},
                    "\x11漢字\x12{漢/かん}{字/じ}"},
        ReadingCase{"TagInsideAWordGoesAheadOfIt", "<b>\x0F漢<i>字", true, "漢字",
                    {"漢字:名詞:カンジ"}, "<b>\x0F<i>{漢/かん}{字/じ}"},
        ReadingCase{"AnalyserFailureLeavesTheText", "漢字", false, "別の文", {}, "漢字"},
        ReadingCase{"CounterAfterDigits", "3本と10分", false, "3本と10分",
                    {"3:名詞:サン:数詞", "本:接尾辞:ポン", "と:助詞:ト", "1:名詞:イチ:数詞",
                     "0:名詞:ゼロ:数詞", "分:名詞:フン"},
                    "3{本/ぼん}と10{分/ぷん}"},
        ReadingCase{"CounterSetApartFromItsDigitsBySpaces", "3 分と10　本と3 日本", false,
                    "3 分と10　本と3 日本",
                    {"3:名詞:サン:数詞", "分:名詞:フン", "と:助詞:ト", "1:名詞:イチ:数詞",
                     "0:名詞:ゼロ:数詞", "本:名詞:ホン", "と:助詞:ト", "3:名詞:サン:数詞",
                     "日本:名詞:ニホン"},
                    "3 {分/ぷん}と10　{本/ぽん}と3 {日/}{本/にほん}"},
        ReadingCase{"DayOfTheWeekAfterDigitsIsNoCount", "第2月曜日", false, "第2月曜日",
                    {"第:接頭辞:ダイ", "2:名詞:ニ:数詞", "月:名詞:ゲツ", "曜:接尾辞:ヨウ", "日:名詞:ビ"},
                    "{第/だい}2{月/げつ}{曜/よう}{日/び}"},
        ReadingCase{"WordOfTheDayAfterDigitsIsNoCount", "4日曜日", false, "4日曜日",
                    {"4:名詞:ヨン:数詞", "日曜:名詞:ニチヨウ", "日:名詞:ビ"},
                    "4{日/にち}{曜/よう}{日/び}"},
        ReadingCase{"FractionIsNoCountOfMinutes", "3分の1と四分の三", false, "3分の1と四分の三",
                    {"3:名詞:サン:数詞", "分:名詞:フン", "の:助詞:ノ", "1:名詞:イチ:数詞",
                     "と:助詞:ト", "四:名詞:ヨン:数詞", "分:名詞:プン", "の:助詞:ノ",
                     "三:名詞:サン:数詞"},
                    "3{分/ぶん}の1と{四/よん}{分/ぶん}の{三/さん}"},
        ReadingCase{"DigitsJoinedToTheirCounter", "1日", false, "1日", {"1日:名詞:ツイタチ"},
                    "1{日/たち}"},
        ReadingCase{"ScoreBetweenNumbersIsNoPairCounted", "三対二と一対一", false,
                    "三対二と一対一",
                    {"三:名詞:サン:数詞", "対:名詞:ツイ:普通名詞::助数詞", "二:名詞:ニ:数詞",
                     "と:助詞:ト", "一:名詞:イチ:数詞", "対:名詞:タイ", "一:名詞:イチ:数詞"},
                    "{三/さん}{対/たい}{二/に}と{一/いち}{対/たい}{一/いち}"},
        ReadingCase{"NumeralBeforeACounterInP", "一分", false, "一分",
                    {"一:名詞:イチ:数詞", "分:名詞:プン"}, "{一/いっ}{分/ぷん}"},
        ReadingCase{"NumeralBeforeANumeralStays", "十七", false, "十七",
                    {"十:名詞:ジュウ:数詞", "七:名詞:シチ:数詞"}, "{十/じゅう}{七/しち}"},
        ReadingCase{"NaniBeforeO", "何を", false, "何を", {"何:代名詞:ナン", "を:助詞:ヲ"},
                    "{何/なに}を"},
        ReadingCase{"KataForAPerson", "保護者の方は", false, "保護者の方は",
                    {"保護者:名詞:ホゴシャ", "の:助詞:ノ", "方:名詞:ホウ", "は:助詞:ハ"},
                    "{保/ほ}{護/ご}{者/しゃ}の{方/かた}は"},
        ReadingCase{"HouForASide", "右の方に", false, "右の方に",
                    {"右:名詞:ミギ", "の:助詞:ノ", "方:名詞:ホウ", "に:助詞:ニ"},
                    "{右/みぎ}の{方/ほう}に"},
        ReadingCase{"HouForAPartEvenWhenThePageIsPolite", "終わりの方をご覧ください", false,
                    "終わりの方をご覧ください",
                    {"終わり:名詞:オワリ", "の:助詞:ノ", "方:名詞:ホウ", "を:助詞:ヲ",
                     "ご:接頭辞:ゴ", "覧:名詞:ラン", "ください:動詞:クダサイ"},
                    "{終/お}わりの{方/ほう}をご{覧/らん}ください"},
        ReadingCase{"KataForWhatPeopleDo", "ご希望の方は", false, "ご希望の方は",
                    {"ご:接頭辞:ゴ", "希望:名詞:キボウ:普通名詞::サ変可能", "の:助詞:ノ",
                     "方:名詞:ホウ", "は:助詞:ハ"},
                    "ご{希/}{望/きぼう}の{方/かた}は"},
        ReadingCase{"KataAfterAnActivityWithAPrefix", "未経験の方も", false, "未経験の方も",
                    {"未:接頭辞:ミ", "経験:名詞:ケイケン:普通名詞::サ変可能", "の:助詞:ノ",
                     "方:名詞:ホウ", "も:助詞:モ"},
                    "{未/み}{経/}{験/けいけん}の{方/かた}も"},
        ReadingCase{"KataForPeopleInTheMidstOfSomethingHouForTheInside",
                    "子育て中の方と箱の中の方", false, "子育て中の方と箱の中の方",
                    {"子育て:名詞:コソダテ", "中:接尾辞:チュウ", "の:助詞:ノ", "方:名詞:ホウ",
                     "と:助詞:ト", "箱:名詞:ハコ", "の:助詞:ノ", "中:名詞:ナカ", "の:助詞:ノ",
                     "方:名詞:ホウ"},
                    "{子/}{育/こそだ}て{中/ちゅう}の{方/かた}と{箱/はこ}の{中/なか}の{方/ほう}"},
        ReadingCase{"HouBeforeAComparison", "寝た方がよい", false, "寝た方がよい",
                    {"寝:動詞:ネ", "た:助動詞:タ", "方:名詞:カタ", "が:助詞:ガ",
                     "よい:形容詞:ヨイ"},
                    "{寝/ね}た{方/ほう}がよい"},
        ReadingCase{"SuffixOfAWayIsKept", "使い方が同じ", false, "使い方が同じ",
                    {"使い:動詞:ツカイ", "方:接尾辞:カタ", "が:助詞:ガ", "同じ:形状詞:オナジ"},
                    "{使/つか}い{方/かた}が{同/おな}じ"},
        ReadingCase{"WordAloneWithoutItsCompoundSoundChange", "川で", false, "川で",
                    {"川:名詞:ガワ::カワ", "で:助詞:デ"}, "{川/かわ}で"},
        ReadingCase{"SoundChangeKeptInsideACompound", "江戸川", false, "江戸川",
                    {"江戸:名詞:エド", "川:名詞:ガワ::カワ"}, "{江/え}{戸/ど}{川/がわ}"},
        ReadingCase{"SoundChangeKeptAfterANounWithoutKanji", "テスト版と版", false, "テスト版と版",
                    {"テスト:名詞:テスト:普通名詞", "版:名詞:バン:普通名詞:ハン", "と:助詞:ト",
                     "版:名詞:バン:普通名詞:ハン"},
                    "テスト{版/ばん}と{版/はん}"},
        ReadingCase{"DayOfTheWeekInBrackets", "５日（木）", false, "５日（木）",
                    {"５日:名詞:イツカ", "（:補助記号:", "木:名詞:キ", "）:補助記号:"},
                    "５{日/か}（{木/もく}）"},
        ReadingCase{"KinshipBeforeSan", "母さん", false, "母さん",
                    {"母:名詞:ハハ", "さん:接尾辞:サン"}, "{母/かあ}さん"},
        ReadingCase{"DayAtTheEndOfACompound", "誕生日", false, "誕生日",
                    {"誕生:名詞:タンジョウ", "日:名詞:ヒ"}, "{誕/たん}{生/じょう}{日/び}"}),
    [](const ::testing::TestParamInfo<ReadingCase>& info) { return info.param.name; });

struct SplitCase {
  const char* run;
  const char* reading;
  std::vector<const char*> segments;
};

class SplitReadingTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitReadingTest, DividesAsTheKanjiRead) {
  const SplitCase& c = GetParam();
  std::string run = Sjis(c.run);
  std::vector<std::string_view> chars;
  for (std::size_t i = 0; i < run.size(); i += 2) chars.push_back(std::string_view(run).substr(i, 2));
  Segments segments = SplitReading(*CaseLexicon(), chars, Sjis(c.reading));
  std::vector<std::string> got;
  for (const std::string& s : segments) got.push_back(common::Cp932ToUtf8Lossy(s));
  std::vector<std::string> want(c.segments.begin(), c.segments.end());
  EXPECT_EQ(got, want);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SplitReadingTest,
    ::testing::Values(SplitCase{"自動車", "じどうしゃ", {"じ", "どう", "しゃ"}},
                      SplitCase{"学校", "がっこう", {"がっ", "こう"}},        // doubled
                      SplitCase{"人々", "ひとびと", {"ひと", "びと"}},        // voiced 々
                      SplitCase{"江戸", "えど", {"え", "ど"}},                // voiced
                      SplitCase{"今日", "きょう", {"", "きょう"}},            // no cover
                      SplitCase{"漢字", "かんじょう", {"", "かんじょう"}}));  // too long

struct NumberCase {
  const char* counter;
  const char* number;
  const char* expected;  // "" for none
};

class NumberReadingTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberReadingTest, TakesTheColumnOfTheNumbersEnd) {
  const NumberCase& c = GetParam();
  const std::string* reading =
      Conventions::BuiltIn().NumberReading(Sjis(c.counter), Sjis(c.number));
  EXPECT_EQ(reading ? common::Cp932ToUtf8Lossy(*reading) : "", c.expected)
      << c.number << c.counter;
}

INSTANTIATE_TEST_SUITE_P(
    Counters, NumberReadingTest,
    ::testing::Values(NumberCase{"本", "1", "ぽん"}, NumberCase{"本", "3", "ぼん"},
                      NumberCase{"本", "4", "ほん"}, NumberCase{"本", "20", "ぽん"},
                      NumberCase{"本", "100", "ぽん"}, NumberCase{"本", "3000", "ぼん"},
                      NumberCase{"分", "5", "ふん"}, NumberCase{"分", "10", "ぷん"},
                      NumberCase{"日", "2", "か"}, NumberCase{"日", "20", "か"},
                      NumberCase{"日", "30", "にち"}, NumberCase{"日", "11", "にち"},
                      NumberCase{"本", "何", "ぼん"}, NumberCase{"本", "0", ""},
                      // A word standing for a number with no exact entry has no column.
                      NumberCase{"円", "何", ""}, NumberCase{"日", "何", ""},
                      NumberCase{"分", "何", "ぷん"},
                      NumberCase{"階", "何", "がい"}));

TEST(ConventionsTest, ReportsTheLinesItCannotRead) {
  std::vector<std::string> faults;
  Conventions conventions = Conventions::Parse(
      "# a comment\nword\t私\tわたくし\tわたし\nwrong line\ndigits\t本\tぽん\n", faults);
  ASSERT_EQ(faults.size(), 2u);
  EXPECT_EQ(faults[0].substr(0, 2), "3:");
  EXPECT_EQ(faults[1].substr(0, 2), "4:");
  ASSERT_NE(conventions.WordReading(Sjis("私"), Sjis("わたくし")), nullptr);
}

// A word met again is divided as it was the first time, wherever it stands, and by the
// dictionary of the run that meets it, not that of a run before on the same thread.
TEST(ContextReadingMemory, WordMetAgainIsDividedByItsOwnRunsDictionary) {
  auto analyser = std::make_shared<testing::ScriptedAnalyser>();
  analyser->Script("漢字と漢字", {"漢字:名詞:カンジ", "と:助詞:ト", "漢字:名詞:カンジ"});
  ContextResources by_kanji{analyser, CaseLexicon()};
  ContextResources without_kanji{analyser, std::make_shared<Lexicon>()};
  for (int round = 0; round < 2; ++round) {
    EXPECT_EQ(common::Cp932ToUtf8Lossy(ReadInContext(Sjis("漢字と漢字"), false, by_kanji)),
              "{漢/かん}{字/じ}と{漢/かん}{字/じ}");
    EXPECT_EQ(common::Cp932ToUtf8Lossy(ReadInContext(Sjis("漢字と漢字"), false, without_kanji)),
              "{漢/}{字/かんじ}と{漢/}{字/かんじ}");
  }
}

// An analyser that runs out of memory on the sentence holding 落 and knows no other.
class FailingAnalyser final : public Analyser {
 public:
  std::unique_ptr<Tagger> NewTagger() override {
    class FailingTagger final : public Tagger {
     public:
      bool Analyse(std::string_view sentence, std::vector<Morpheme>& out) override {
        out.clear();
        if (sentence.find("落") != std::string_view::npos) throw std::bad_alloc();
        return false;
      }
    };
    return std::make_unique<FailingTagger>();
  }
  std::string Description() const override { return "failing"; }
};

// However many taggers read side by side, the one that fails stops the others and its failure
// reaches the caller, who says the memory ran short, instead of ending the program.
TEST(ContextReadingThreads, FailureOfOneTaggerReachesTheCaller) {
  ContextResources resources{std::make_shared<FailingAnalyser>(), CaseLexicon()};
  for (std::size_t failing : {0, 1, 37, 79}) {
    std::string text;
    for (std::size_t s = 0; s < 80; ++s) text += s == failing ? "落ちた。" : "漢字。";
    for (unsigned threads : {1u, 2u, 4u}) {
      EXPECT_THROW(ReadInContext(Sjis(text), false, resources, threads), std::bad_alloc)
          << failing << " " << threads;
    }
  }
}

}  // namespace
}  // namespace engine::context
