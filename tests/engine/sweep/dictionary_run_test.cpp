#include "engine/sweep/dictionary_run.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "common/platform/file_system.h"
#include "common/messages.h"
#include "common/encoding/text_file.h"
#include "engine/commands/dictionary_application.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

class DictionaryRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(work_.Dir());
    WriteDictionary(dic_, {{"漢字", "かん*じ"}, {"本", "ほん"}});
    ASSERT_TRUE(common::WriteTextFile(work_.File(common::kNonRubyMarked), Sjis("漢字の本\n")));
  }
  RunStatus Run(bool one_character_words = true, bool finish = true) {
    DictionaryRunOptions options{.input = common::kNonRubyMarked,
                                 .dictionary = dic_,
                                 .one_character_words = one_character_words,
                                 .finish = finish};
    return RunDictionary(work_, options, progress_, messenger_);
  }
  bool Exists(std::string_view name) { return std::filesystem::exists(work_.File(name)); }
  void ExpectOneWarning(std::string_view text) {
    ASSERT_TRUE(ShowedOnly(messenger_, "Warning", text));
  }

  ScratchDir dir_;
  std::filesystem::path dic_ = dir_ / "main.dic";
  common::WorkDir work_{dir_ / "work"};
  RecordingMessenger messenger_;
  common::Progress progress_{messenger_};
};

TEST_F(DictionaryRunTest, FinishedRunLeavesOnlyTheCleanedUpResult) {
  ASSERT_TRUE(common::WriteTextFile(work_.File(common::kPreparedText), "x\n"));
  ASSERT_TRUE(common::WriteTextFile(work_.File(common::kLineFieldMarked), "x\n"));
  EXPECT_EQ(Run(), RunStatus::kOk);
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}{字/じ}の{本/ほん}\r\n"),
                         ReadFile(work_.File(common::kCleanedUp))));
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(work_.Dir())) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{std::string(common::kCleanedUp)});
  EXPECT_TRUE(messenger_.records.empty());
}

TEST_F(DictionaryRunTest, UnfinishedRunWithoutOneCharacterWordsLeavesItsResult) {
  EXPECT_EQ(Run(false, false), RunStatus::kOk);
  EXPECT_TRUE(
      BytesEqual(Sjis("{漢/かん}{字/じ}の本\r\n"), ReadFile(work_.File(common::kRunResult))));
  EXPECT_TRUE(Exists(common::kNonRubyMarked));  // the run's own input stays
  EXPECT_FALSE(Exists(common::kCleanedUp));
  for (int length = 2; length <= 10; ++length) {
    EXPECT_FALSE(Exists(common::PassOutputName(length))) << length;
  }
  EXPECT_EQ(messenger_.progress.size(), 9u);
}

TEST_F(DictionaryRunTest, DamagedDictionaryIsRefused) {
  std::filesystem::resize_file(dic_, 600);
  EXPECT_EQ(Run(), RunStatus::kDictionaryNotOpened);
  ExpectOneWarning("辞書<" + dic_.string() +
                   ">の 10 字の語の部分が壊れています。\n辞書を作り直してください。");
  EXPECT_FALSE(Exists(common::PassOutputName(10)));
}

TEST_F(DictionaryRunTest, OutputThatCannotBeCreatedStopsTheRun) {
  std::filesystem::create_directory(work_.File(common::kRunResult));
  EXPECT_EQ(Run(true, /*finish=*/false), RunStatus::kPassNotStarted);
  ExpectOneWarning("作業ファイル<" + work_.File(common::kRunResult).string() +
                   ">を作れませんでした。" + std::string(common::messages::kCauseIsFolder));
  EXPECT_TRUE(Exists(common::kNonRubyMarked));  // a failed run leaves its input
}

// A missing input, or a folder in its place, which is no file to read: the pass never starts.
TEST_F(DictionaryRunTest, MissingInputStopsTheRun) {
  for (bool folder : {false, true}) {
    messenger_.records.clear();
    std::filesystem::remove(work_.File(common::kNonRubyMarked));
    if (folder) std::filesystem::create_directory(work_.File(common::kNonRubyMarked));
    EXPECT_EQ(Run(), RunStatus::kPassNotStarted);
    ExpectOneWarning("作業ファイル<" + work_.File(common::kNonRubyMarked).string() +
                     ">を読み込めませんでした。");
  }
}
TEST_F(DictionaryRunTest, FullDiskIsNeverTakenForSuccess) {
  std::error_code error;
  std::filesystem::create_symlink("/dev/full", work_.File(common::kRunResult), error);
  if (error || !std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(Run(true, /*finish=*/false), RunStatus::kFileNotClosed);
  ExpectOneWarning("作業ファイル<" + work_.File(common::kRunResult).string() +
                   ">を最後まで書き込めませんでした。" +
                   std::string(common::messages::kCauseDiskFull));
}

TEST_F(DictionaryRunTest, FailedCleanUpShowsNoMessage) {
  std::filesystem::create_directory(work_.File(common::kCleanedUp));
  EXPECT_EQ(Run(), RunStatus::kCleanUpFailed);
  EXPECT_TRUE(messenger_.records.empty());
}

// The user dictionary's passes and then the main dictionary's are played on the text at once:
// no result of the user dictionary alone is left between them.
TEST_F(DictionaryRunTest, UserThenMainIsOneRunWithTheUserWordsFirst) {
  std::filesystem::path user = dir_ / "user.dic";
  WriteDictionary(user, {{"字の", "じ*"}, {"本", "もと"}});
  DictionaryPaths dictionaries{dic_, user};
  EXPECT_EQ(ApplyDictionaries(work_, common::kNonRubyMarked, DictionaryUse::kUserThenMain,
                              dictionaries, false, progress_, messenger_),
            RunStatus::kOk);
  // 字の of the user parts 漢字; the user's one-character 本 is not played.
  EXPECT_TRUE(
      BytesEqual(Sjis("漢{字/じ}の{本/ほん}\r\n"), ReadFile(work_.File(common::kCleanedUp))));
  EXPECT_FALSE(Exists(common::kRunResult));
  EXPECT_FALSE(Exists(common::kUserRunResult));
  EXPECT_TRUE(messenger_.records.empty());
}

}  // namespace
}  // namespace engine
