// The analyser's answers distilled into entries, with a stand-in analyser that knows a few
// sentences: forms that prose reads as a shorter word go, nouns get their particle keys, the
// context table's words get a key per following kana, and the tables' words are never touched.
#include "dicgen/context_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "dicgen/kana.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace dicgen {
namespace {

using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::WriteFile;

class StandInAnalyser final : public ContextAnalyser {
 public:
  // "surface/reading surface/reading ..." for each sentence it knows.
  explicit StandInAnalyser(std::map<std::u32string, std::u32string> sentences)
      : sentences_(std::move(sentences)) {}
  std::optional<std::vector<AnalysedToken>> Analyse(std::u32string_view text) override {
    auto at = sentences_.find(std::u32string(text));
    if (at == sentences_.end()) return std::nullopt;
    std::vector<AnalysedToken> tokens;
    std::u32string_view rest = at->second;
    while (!rest.empty()) {
      std::size_t space = rest.find(U' ');
      std::u32string_view token = rest.substr(0, space);
      std::size_t slash = token.find(U'/');
      tokens.push_back(
          {std::u32string(token.substr(0, slash)), std::u32string(token.substr(slash + 1))});
      rest = space == std::u32string_view::npos ? std::u32string_view() : rest.substr(space + 1);
    }
    return tokens;
  }

 private:
  std::map<std::u32string, std::u32string> sentences_;
};

StandInAnalyser Analyser() {
  return StandInAnalyser({
      {U"雪がない。", U"雪/ゆき が/が ない/ない 。/"},
      {U"空かない。", U"空か/あか ない/ない 。/"},
      {U"空から。", U"空/そら から/から 。/"},
      {U"空まで。", U"空/そら まで/まで 。/"},
      {U"同じよう。", U"同じ/おなじ よう/よう 。/"},
      {U"同じようない。", U"同じ/おなじ よう/よう ない/ない 。/"},
      {U"書か。", U"書/しょ か/か 。/"},
      {U"書かない。", U"書か/かか ない/ない 。/"},
      {U"来ない。", U"来/こ ない/ない 。/"},
      {U"来ます。", U"来/き ます/ます 。/"},
      {U"出して。", U"出し/だし て/て 。/"},
  });
}

std::vector<WordEntry> Words() {
  return {{U"雪", {U"ゆき"}, 0}, {U"雪が", {U"すす"}, 0}, {U"空", {U"そら"}, 0},
          {U"空か", {U"あ"}, 0}, {U"同じ", {U"おな"}, 0}, {U"同じよう", {U"どう"}, 0},
          {U"書", {U"しょ"}, 0}, {U"書か", {U"か"}, 0},   {U"来", {U"き"}, 0},
          {U"出", {U"で"}, 0},        {U"上空", {U"じょう", U"くう"}, 0}};
}

std::optional<std::u32string> ReadingOf(const std::vector<WordEntry>& words,
                                        std::u32string_view surface) {
  auto at = std::find_if(words.begin(), words.end(),
                         [surface](const WordEntry& word) { return word.surface == surface; });
  if (at == words.end()) return std::nullopt;
  std::u32string reading;
  for (const std::u32string& segment : at->segments) reading += segment;
  return reading;
}

TEST(ContextEntries, AnalyserAnswersBecomeEntries) {
  StandInAnalyser analyser = Analyser();
  std::vector<WordEntry> words = Words();
  std::vector<ContextPhrases> table = {{U"来", {U"来ない", U"来ます"}}, {U"出", {U"出して"}}};
  ContextEntryReport report;
  DistilContext(analyser, table, {}, words, report);
  struct Case {
    std::u32string_view surface;
    std::optional<std::u32string> reading;  // nullopt: not in the dictionary
  };
  const Case cases[] = {
      {U"雪が", std::nullopt},      // read as 雪 + が even before ない
      {U"空か", U"あ"},             // a verb before ない: stays
      {U"空から", U"そら"},         // … and the noun keeps its particle
      {U"空まで", std::nullopt},    // まで does not begin with か
      {U"上空から", U"じょうくう"},  // or 空から would take 上空 apart
      {U"同じよう", std::nullopt},  // 同じ + よう alone and before ない
      {U"書か", U"か"},             // split alone, whole before ない: stays
      {U"来な", U"こ"},             // the context table's keys
      {U"来ま", U"き"},
      {U"出し", U"だ"},  // a verb's token holds its okurigana
      {U"雪", U"ゆき"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadingOf(words, c.surface), c.reading) << EncodeUtf8(c.surface);
  }
  EXPECT_EQ(report.forms_dropped, 2u);
  EXPECT_EQ(report.entries_written, 5u);
  EXPECT_GT(report.bytes_added, 0u);
}

TEST(ContextEntries, NounEndingTooManyCompoundsGetsNoParticleForms) {
  StandInAnalyser analyser = Analyser();
  std::vector<WordEntry> words = Words();
  for (char32_t c = U'一'; words.size() < Words().size() + 129; ++c) {
    words.push_back({std::u32string{c, U'空'}, {U"い", U"くう"}, 0});
  }
  ContextEntryReport report;
  DistilContext(analyser, {}, {}, words, report);
  EXPECT_EQ(ReadingOf(words, U"空から"), std::nullopt);
  EXPECT_EQ(ReadingOf(words, U"空か"), U"あ");
}

TEST(ContextEntries, TablesWordsAreNeverChanged) {
  StandInAnalyser analyser = Analyser();
  std::vector<WordEntry> words = Words();
  std::vector<ContextPhrases> table = {{U"来", {U"来ない"}}};
  ContextEntryReport report;
  DistilContext(analyser, table, {U"雪が", U"同じよう", U"来な", U"空"}, words, report);
  EXPECT_EQ(ReadingOf(words, U"雪が"), U"すす");
  EXPECT_EQ(ReadingOf(words, U"空から"), std::nullopt);  // not on the table's lone reading
  EXPECT_EQ(ReadingOf(words, U"同じよう"), U"どう");
  EXPECT_EQ(ReadingOf(words, U"来な"), std::nullopt);
  EXPECT_EQ(report.forms_dropped, 0u);
}

TEST(ContextEntries, TableLinesNeedAWordAndPhrasesThatBeginWithIt) {
  ScratchDir dir;
  RecordingMessenger messenger;
  WriteFile(dir / "contexts.txt", "# comment\n来 来ない 来た\n\n何 何の\n");
  std::optional<std::vector<ContextPhrases>> table =
      ReadContextTable(dir / "contexts.txt", messenger);
  ASSERT_TRUE(table);
  ASSERT_EQ(table->size(), 2u);
  EXPECT_EQ((*table)[0].phrases, (std::vector<std::u32string>{U"来ない", U"来た"}));
  for (std::string_view faulty : {"来\n", "来 行く\n"}) {
    WriteFile(dir / "bad.txt", faulty);
    EXPECT_FALSE(ReadContextTable(dir / "bad.txt", messenger)) << faulty;
  }
}

TEST(ContextEntries, MissingAnalyserIsToldWhy) {
  std::string why;
  EXPECT_EQ(OpenMecab({}, why), nullptr);
  EXPECT_FALSE(why.empty());
  ScratchDir dir;
  EXPECT_EQ(OpenMecab(dir.Path(), why), nullptr);
  EXPECT_NE(why.find("sys.dic"), std::string::npos);
}

}  // namespace
}  // namespace dicgen
