// make-default-dic on tiny KANJIDIC and IPAdic fixtures: every file of dic/, the settings, and
// grade ruby with what was made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/settings/settings.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

constexpr int kFixtureEducationKanji = 8;

class CliMakeDefaultDic : public ::testing::Test {
 protected:
  static fs::path Fixture(std::string_view name) {
    return TestData("cli/make_default_dic/" + std::string(name));
  }
  CliRun Make(std::vector<std::string> extra = {}) const {
    std::vector<std::string> args = {"make-default-dic",
                                     "--kanjidic",
                                     Fixture("kanjidic").string(),
                                     "--ipadic",
                                     Fixture("ipadic").string(),
                                     "--unidic-lex=",
                                     "--data",
                                     Fixture("data").string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return home_.Run(std::move(args));
  }

  ProgramFolder home_;
};

TEST_F(CliMakeDefaultDic, MakesEveryFileOfDic) {
  CliRun run = Make({"--no"});  // the command answers the builders' questions itself
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(BytesEqual(Golden("make_default_dic", "教育漢字.txt"),
                         ReadFile(home_.DicDir() / "教育漢字.txt")));
  EXPECT_TRUE(BytesEqual(ReadFile(Fixture("data/小学熟字訓.txt")),
                         ReadFile(home_.DicDir() / "小学熟字訓.txt")));
  for (std::string_view made : {"Qv_Body.dic", "Qv_Users.dic", "HaitouNen.dic", "kanken_Q.dic",
                                "q_file/q1.txt", "q_file/qj1.txt", "q_file/q10.txt"}) {
    EXPECT_TRUE(fs::exists(home_.DicDir() / made)) << made;
  }
  EXPECT_TRUE(Contains(run.out, "教育漢字.txt：8字、読み")) << run.out;
  EXPECT_TRUE(Contains(run.out, "q_file：10字（10級〜5級 8字、2級 1字、1級 1字）")) << run.out;
  EXPECT_TRUE(Contains(run.out, "\nQv_Users.dic：1語\n")) << run.out;
  EXPECT_TRUE(Contains(run.out, "\n所要時間：")) << run.out;
  EXPECT_EQ(common::LoadSettings(home_.Home()).h_kanjisuu, kFixtureEducationKanji);
}

// The grade filter reads H_KANJISUU entries of what was made: with grade 1 alone, 一日 keeps
// its ruby and 今 (grade 2) loses it.
TEST_F(CliMakeDefaultDic, GradeRubyUsesTheMadeDictionaries) {
  ASSERT_EQ(Make().exit_code, 0);
  WriteFile(home_ / "text.txt", Sjis("一日と今\r\n"));
  CliRun run = home_.Run({"--set", "RUBIRANGE/NENSETTYPE=0", "--set", "RUBIRANGE/NENSITA=1", "ruby",
                          "--kind", "grade", (home_ / "text.txt").string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ReadFile(home_ / "text.hrb"), Sjis("{一/いち}{日/にち}と今\r\n"));
}

TEST_F(CliMakeDefaultDic, SecondRunReplacesTheDictionariesAndKeepsBackups) {
  ASSERT_EQ(Make().exit_code, 0);
  std::string first = ReadFile(home_.DicDir() / "Qv_Body.dic");
  CliRun run = Make({"--no"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(BytesEqual(first, ReadFile(home_.DicDir() / "Qv_Body.~dic")));
  EXPECT_TRUE(fs::exists(home_.DicDir() / "HaitouNen.di$"));
  EXPECT_TRUE(fs::exists(home_.DicDir() / "kanken_Q.~dic"));
}

TEST_F(CliMakeDefaultDic, MissingTableStopsBeforeAnythingIsWritten) {
  ScratchDir data;
  fs::copy(Fixture("data"), data.Path(), fs::copy_options::recursive);
  fs::remove(data / "小学熟字訓.txt");
  CliRun run =
      home_.Run({"make-default-dic", "--kanjidic", Fixture("kanjidic").string(), "--ipadic",
                 Fixture("ipadic").string(), "--unidic-lex=", "--data", data.Path().string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Contains(run.err, (data / "小学熟字訓.txt").string() + ">が読めません。")) << run.err;
  EXPECT_TRUE(fs::is_empty(home_.DicDir()));
}

}  // namespace
}  // namespace cli
