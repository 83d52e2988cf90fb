#include "engine/sweep/run_words.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/sweep/match_table.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

class RunWordsAheadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteDictionary(dir_ / "main.dic", {{"漢字", "かん*じ"}, {"本", "ほん"}});
    WriteDictionary(dir_ / "user.dic", {{"辞書", "じ*しょ"}});
  }
  RunWordsKey Key() const { return {dir_ / "main.dic", dir_ / "user.dic", 1}; }

  ScratchDir dir_;
};

TEST_F(RunWordsAheadTest, TheRunTakesWordsLoadedAheadOnce) {
  RunWordsAhead ahead(Key());
  std::unique_ptr<RunWords> words = ahead.Take(Key());
  ASSERT_NE(words, nullptr);
  // The user dictionary's lengths 10–2, then the main dictionary's 10–1.
  EXPECT_EQ(words->tables->passes.size(), 19u);
  EXPECT_EQ(words->tables->passes.front().word_length, 10);
  EXPECT_EQ(words->tables->passes.back().word_length, 1);
  EXPECT_EQ(ahead.Take(Key()), nullptr);
}

TEST_F(RunWordsAheadTest, OtherDictionariesOrARewrittenFileAreLoadedAgainByTheRun) {
  {
    RunWordsAhead ahead(Key());
    RunWordsKey other = Key();
    other.first_dictionary.clear();
    EXPECT_EQ(ahead.Take(other), nullptr);
  }
  RunWordsAhead ahead(Key());
  WriteDictionary(dir_ / "main.dic", {{"漢字", "かん*じ"}, {"本", "ほん"}, {"日本", "に*ほん"}});
  EXPECT_EQ(ahead.Take(Key()), nullptr);
}

TEST_F(RunWordsAheadTest, AFailedLoadAheadTellsNothingAndTheRunsOwnLoadTellsOnce) {
  RunWordsKey missing = Key();
  missing.dictionary = dir_ / "missing.dic";
  RunWordsAhead ahead(missing);
  EXPECT_EQ(ahead.Take(missing), nullptr);
  RecordingMessenger messenger;
  EXPECT_EQ(LoadRunWords(missing, messenger), nullptr);
  EXPECT_EQ(messenger.records.size(), 1u);
}

TEST_F(RunWordsAheadTest, AnAheadLoadThatNoRunTakesEndsWithItsCommand) {
  for (int i = 0; i < 20; ++i) RunWordsAhead ahead(Key());
}

}  // namespace
}  // namespace engine
