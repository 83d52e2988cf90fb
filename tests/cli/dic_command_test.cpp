// The dic command: the registry of user dictionaries kept in the settings file. What the
// registry refuses is tested with dictionary/registry; here, what the command adds to it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/settings/settings.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

// A settings file registering `count` dictionaries d0.dic … (names e0 …), with the selection.
std::string RegistryIni(int count, int selected, int pattern = 0) {
  std::string ini = "[DICTIONARY]\r\n";
  for (int i = 0; i < count; ++i) {
    std::string n = std::to_string(i);
    ini += "DIC_NAME" + n + "=e" + n + "\r\nDIC_FILE" + n + "=d" + n + ".dic\r\n";
  }
  return ini + "DIC_NUM=" + std::to_string(selected) +
         "\r\nDIC_PATTERN=" + std::to_string(pattern) + "\r\n";
}

class CliDic : public ::testing::Test {
 protected:
  common::Settings Saved() const { return common::LoadSettings(home_.Home()); }
  std::string Ini() const { return ReadFile(home_ / "qelvoVR11.ini"); }
  // Builds dic/<name>.dic, a real ruby dictionary.
  void BuildUserDictionary(std::string_view name) {
    ASSERT_EQ(home_.BuildDictionary(name, Sjis("日本,にっ*ぽん\r\n")).exit_code, 0);
  }

  ProgramFolder home_;
};

TEST_F(CliDic, AddRegistersTheDictionaryInTheSettingsFile) {
  BuildUserDictionary("mine");
  CliRun run = home_.Run({"dic", "add", "人名", (home_.DicDir() / "mine.dic").string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  common::Settings saved = Saved();
  EXPECT_EQ(saved.dic_names[0], Sjis("人名"));
  EXPECT_EQ(saved.dic_files[0], home_.DicDir() / "mine.dic");
  EXPECT_EQ(saved.dic_num, -1);  // registering never changes the selection
  EXPECT_TRUE(Contains(Ini(), "DIC_FILE0=mine.dic\r\n")) << Ini();
}

TEST_F(CliDic, ListShowsIndicatorPreDictionaryAndEntries) {
  BuildUserDictionary("d0");
  home_.WriteSettings(RegistryIni(2, 0, 2));
  CliRun run = home_.Run({"dic", "list"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  std::string dic = home_.DicDir().string();
  EXPECT_EQ(run.out,
            "使用辞書\t[e0]＋[本体辞書]\n"
            "プレ辞書\t[e0]\t" +
                dic +
                "/d0.dic\tあり\n"
                "0\te0\t" +
                dic +
                "/d0.dic\tあり\n"
                "1\te1\t" +
                dic + "/d1.dic\tなし\n");
}

TEST_F(CliDic, EleventhDictionaryIsRefusedAndNothingIsSaved) {
  BuildUserDictionary("mine");
  home_.WriteSettings(RegistryIni(10, -1));
  std::string before = Ini();
  CliRun run = home_.Run({"dic", "add", "new", (home_.DicDir() / "mine.dic").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            "【ご確認】 すでに辞書は １０個 登録されています。\n"
            "どれか削除してから新しい辞書を登録して下さい。\n");
  EXPECT_TRUE(BytesEqual(before, Ini()));
}

// The settings file keeps only the file name and finds it again in HOME/dic, so a file elsewhere
// would come back as a different one.
TEST_F(CliDic, FileOutsideTheDicFolderIsRefused) {
  BuildUserDictionary("mine");
  fs::copy_file(home_.DicDir() / "mine.dic", home_ / "elsewhere.dic");
  CliRun run = home_.Run({"dic", "add", "x", (home_ / "elsewhere.dic").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Contains(run.err, "dic フォルダ<")) << run.err;
  EXPECT_FALSE(fs::exists(home_ / "qelvoVR11.ini"));
}

TEST_F(CliDic, RemovedEntriesShiftAndTheSelectionFollowsItsEntry) {
  home_.WriteSettings(RegistryIni(5, 4));
  CliRun run = home_.Run({"--yes", "dic", "remove", "1", "3"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(Contains(run.err, "ﾁｪｯｸした辞書を登録から削除します。")) << run.err;
  common::Settings saved = Saved();
  const std::vector<std::string> names(saved.dic_names.begin(), saved.dic_names.begin() + 5);
  EXPECT_EQ(names, (std::vector<std::string>{"e0", "e2", "e4", "", ""}));
  EXPECT_EQ(saved.dic_num, 2);
}

TEST_F(CliDic, SelectionOfAnEntryOrTheStandardDictionaryIsSaved) {
  BuildUserDictionary("d1");
  home_.WriteSettings(RegistryIni(2, -1));
  ASSERT_EQ(home_.Run({"dic", "select", "1"}).exit_code, 0);
  EXPECT_EQ(Saved().dic_num, 1);
  ASSERT_EQ(home_.Run({"dic", "select", "std"}).exit_code, 0);
  EXPECT_EQ(Saved().dic_num, -1);
}

// --set is for one run: the file keeps its own values for everything the command leaves alone.
TEST_F(CliDic, ModeIsSavedButSetOverridesAreNot) {
  home_.WriteSettings(RegistryIni(0, -1) + "[RUBIRANGE]\r\nNENSITA=4\r\n");
  CliRun run = home_.Run(
      {"--set", "RUBIRANGE/NENSITA=2", "--set", "DICTIONARY/DIC_PATTERN=1", "dic", "mode", "2"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  common::Settings saved = Saved();
  EXPECT_EQ(saved.dic_pattern, 2);
  EXPECT_EQ(saved.grade_low, 4);
}

TEST_F(CliDic, BadActionsAreUsageErrors) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"dic", "show"}, "dic wants list, add, remove, remove-all, select or mode, not 'show'"},
      {{"dic", "add", "x"}, "wrong number of arguments for 'dic add'"},
      {{"dic", "remove"}, "wrong number of arguments for 'dic remove'"},
      {{"dic", "remove", "1st"}, "an INDEX is a number (0 or more), not '1st'"},
      {{"dic", "select", "standard"}, "dic select wants an INDEX or std, not 'standard'"},
      {{"dic", "mode", "3"}, "dic mode wants 0, 1 or 2, not '3'"},
  };
  for (const auto& [args, error] : cases) {
    CliRun run = home_.Run(args);
    EXPECT_EQ(run.exit_code, 2) << error;
    EXPECT_TRUE(Contains(run.err, "mirukaze-cli: " + error)) << run.err;
  }
  EXPECT_FALSE(fs::exists(home_ / "qelvoVR11.ini"));
}

}  // namespace
}  // namespace cli
