// build-grade: the kanji count that the grade dictionary's readers take from the settings file.
// The builders themselves are tested with dictionary/.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/settings/settings.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

constexpr int kSampleKanji = 87;  // lines of the sample 教育漢字.txt that are not comments

class CliAuxBuild : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(TestData("cli/filter_ruby/dic"), home_.DicDir(), fs::copy_options::recursive);
  }
  int SavedKanjiCount() const { return common::LoadSettings(home_.Home()).h_kanjisuu; }

  ProgramFolder home_;
};

TEST_F(CliAuxBuild, GradeBuildKeepsTheKanjiCountInTheSettingsFile) {
  home_.WriteSettings("[DICTIONARY]\r\nH_KANJISUU=1026\r\n[RUBIRANGE]\r\nNENSITA=4\r\n");
  CliRun run = home_.Run({"--set", "RUBIRANGE/NENSITA=2", "build-grade"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, "【お知らせ】 HaitouNen.dic を作成・更新しました。\n");
  EXPECT_TRUE(fs::exists(home_.DicDir() / "HaitouNen.dic"));
  common::Settings saved = common::LoadSettings(home_.Home());
  EXPECT_EQ(saved.h_kanjisuu, kSampleKanji);
  EXPECT_EQ(saved.grade_low, 4);  // the --set value was for this run only
}

TEST_F(CliAuxBuild, FailedGradeBuildLeavesTheKanjiCountAlone) {
  home_.WriteSettings("[DICTIONARY]\r\nH_KANJISUU=1026\r\n");
  WriteFile(home_.DicDir() / "教育漢字.txt", Sjis("1\t一\t1\tいち\r\n2\t二\t1\r\n"));
  CliRun run = home_.Run({"build-grade"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Contains(run.err, "2行目でエラー発生。")) << run.err;
  EXPECT_TRUE(Contains(run.err, "HaitouNen.dic の作成・更新に\n失敗しました。")) << run.err;
  EXPECT_EQ(SavedKanjiCount(), 1026);
}

TEST_F(CliAuxBuild, DeclinedRebuildKeepsTheDictionaryAndTheCount) {
  ASSERT_EQ(home_.Run({"build-grade"}).exit_code, 0);
  std::string before = ReadFile(home_.DicDir() / "HaitouNen.dic");
  WriteFile(home_.DicDir() / "教育漢字.txt", Sjis("1\t一\t1\tいち\r\n"));
  CliRun run = home_.Run({"--no", "build-grade"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Contains(run.err, "作成しますか？")) << run.err;
  EXPECT_TRUE(BytesEqual(before, ReadFile(home_.DicDir() / "HaitouNen.dic")));
  EXPECT_EQ(SavedKanjiCount(), kSampleKanji);
  ASSERT_EQ(home_.Run({"--yes", "build-grade"}).exit_code, 0);
  EXPECT_EQ(SavedKanjiCount(), 1);
  EXPECT_TRUE(fs::exists(home_.DicDir() / "HaitouNen.di$"));
}

}  // namespace
}  // namespace cli
