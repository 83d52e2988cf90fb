#include "dictionary/registry.h"

#include <gtest/gtest.h>

#include "common/file_system.h"
#include "dictionary/ruby_dictionary_format.h"
#include "tests/dictionary/dictionary_fixtures.h"

namespace dictionary {
namespace {

// A program folder with a ruby dictionary and a registry of `count` entries "d0" … naming it.
struct Registry {
  explicit Registry(int count = 0) {
    fs::create_directories(program.DicDir());
    WriteFile(ruby, ReadFile(TestData("dictionary/golden/expected.dic")));
    for (int i = 0; i < count; ++i) {
      settings.dic_names[static_cast<std::size_t>(i)] = "d" + std::to_string(i);
      settings.dic_files[static_cast<std::size_t>(i)] = ruby;
    }
  }
  std::vector<std::string> Names() const {
    return {settings.dic_names.begin(), settings.dic_names.end()};
  }

  ScratchDir dir;
  common::ProgramDir program{dir.Path()};
  fs::path ruby = program.DicDir() / "mine.dic";
  common::Settings settings;
  RecordingMessenger messenger;
};

TEST(Registry, RegistrationAppendsWithoutChangingTheSelection) {
  Registry registry(2);
  registry.settings.dic_num = 1;
  EXPECT_EQ(Register(registry.settings, Sjis("化学"), registry.ruby, registry.messenger),
            RegistryStatus::kOk);
  EXPECT_EQ(RegisteredCount(registry.settings), 3);
  EXPECT_EQ(registry.settings.dic_names[2], Sjis("化学"));
  EXPECT_EQ(registry.settings.dic_files[2], registry.ruby);
  EXPECT_EQ(registry.settings.dic_num, 1);
  EXPECT_TRUE(registry.messenger.records.empty());
}

TEST(Registry, EleventhRegistrationIsRefusedBeforeTheFileIsLookedAt) {
  Registry registry(10);
  EXPECT_EQ(Register(registry.settings, "new", registry.dir / "missing.dic", registry.messenger),
            RegistryStatus::kFull);
  ASSERT_EQ(registry.messenger.records.size(), 1u);
  EXPECT_EQ(registry.messenger.records[0].title, "ご確認");
  EXPECT_EQ(
      registry.messenger.records[0].text,
      "すでに辞書は １０個 登録されています。\nどれか削除してから新しい辞書を登録して下さい。");
}

TEST(Registry, EmptyAndDuplicateNamesAreRefused) {
  Registry registry(3);
  EXPECT_EQ(Register(registry.settings, "", registry.ruby, registry.messenger),
            RegistryStatus::kNoName);
  EXPECT_EQ(registry.messenger.records.back().text, "「登録する辞書名」を記入してください。");
  EXPECT_EQ(Register(registry.settings, "d1", registry.ruby, registry.messenger),
            RegistryStatus::kDuplicateName);
  EXPECT_EQ(registry.messenger.records.back().title, "ご注意");
  EXPECT_EQ(registry.messenger.records.back().text,
            "登録済みのものと同名です。\n別の名称にして下さい。");
  // Names are compared exactly.
  EXPECT_EQ(Register(registry.settings, "D1", registry.ruby, registry.messenger),
            RegistryStatus::kOk);
  EXPECT_EQ(RegisteredCount(registry.settings), 4);
}

// The settings file keeps one line per name: a line break would save only the part before it,
// which then passes the duplicate check of the next registration.
TEST(Registry, NamesWithControlCharactersAreRefused) {
  for (std::string name : {std::string("first\nsecond"), std::string("tab\there"),
                           std::string("cr\r"), std::string("del\x7F"), std::string("nul\0x", 5)}) {
    Registry registry(1);
    EXPECT_EQ(Register(registry.settings, name, registry.ruby, registry.messenger),
              RegistryStatus::kControlCharacter)
        << name;
    EXPECT_EQ(RegisteredCount(registry.settings), 1);
    EXPECT_EQ(registry.messenger.records.back().text,
              "辞書名に改行やタブなどの制御文字は使えません。\n別の名称にして下さい。");
  }
  // Double-byte names pass, whatever their trail bytes (表 and ソ end in that of a backslash).
  Registry registry;
  EXPECT_EQ(Register(registry.settings, Sjis("表ソ"), registry.ruby, registry.messenger),
            RegistryStatus::kOk);
}

TEST(Registry, FileWithoutTheSignatureIsRefused) {
  Registry registry;
  fs::path grade = registry.program.GradeDictionary();
  WriteFile(grade, ReadFile(TestData("dictionary/grade_small/HaitouNen.dic")));
  EXPECT_EQ(Register(registry.settings, "grade", grade, registry.messenger),
            RegistryStatus::kNotRubyDictionary);
  ASSERT_TRUE(ShowedOnly(registry.messenger, "ご注意",
                         "指定された辞書は、<るび振り用>の辞書ではありません。\n"));
  EXPECT_EQ(Register(registry.settings, "gone", registry.dir / "gone.dic", registry.messenger),
            RegistryStatus::kCannotOpen);
  EXPECT_EQ(registry.messenger.records.back().text, "指定された辞書が開けません。\n");
  EXPECT_EQ(RegisteredCount(registry.settings), 0);
}

TEST(Registry, RemovingCheckedEntriesShiftsTheRest) {
  Registry registry(5);
  registry.settings.dic_num = 4;
  EXPECT_EQ(RemoveChecked(registry.settings, {1, 3}, registry.messenger), RegistryStatus::kOk);
  ASSERT_EQ(registry.messenger.records.size(), 1u);
  EXPECT_TRUE(registry.messenger.records[0].asked);
  EXPECT_EQ(registry.messenger.records[0].title, "ご確認");
  EXPECT_EQ(registry.messenger.records[0].text,
            "ﾁｪｯｸした辞書を登録から削除します。\n\n本当にいいですか？");
  EXPECT_EQ(registry.Names(),
            (std::vector<std::string>{"d0", "d2", "d4", "", "", "", "", "", "", ""}));
  EXPECT_TRUE(registry.settings.dic_files[3].empty());
  EXPECT_EQ(registry.settings.dic_num, 2);  // d4 moved to 2 and stays selected
}

TEST(Registry, RemovingTheSelectedEntryFallsBackToTheStandardDictionary) {
  Registry registry(5);
  registry.settings.dic_num = 3;
  EXPECT_EQ(RemoveChecked(registry.settings, {3, 1}, registry.messenger), RegistryStatus::kOk);
  EXPECT_EQ(registry.settings.dic_num, kStandardPreDictionary);
  EXPECT_EQ(UserDictionaryOf(registry.settings, registry.program),
            registry.program.StandardUserDictionary());
  registry.settings.dic_num = 0;
  EXPECT_EQ(RemoveChecked(registry.settings, {2}, registry.messenger), RegistryStatus::kOk);
  EXPECT_EQ(registry.settings.dic_num, 0);  // entries below a removal do not move
}

TEST(Registry, CancelOrAnUnregisteredIndexRemovesNothing) {
  Registry registry(3);
  registry.messenger.Script({Answer::kCancel});
  EXPECT_EQ(RemoveChecked(registry.settings, {0}, registry.messenger), RegistryStatus::kCancelled);
  EXPECT_EQ(RemoveChecked(registry.settings, {1, 3}, registry.messenger),
            RegistryStatus::kNothingChosen);
  EXPECT_EQ(registry.messenger.records.back().text, "番号 3 の辞書は登録されていません。");
  registry.messenger.Script({Answer::kCancel});
  EXPECT_EQ(RemoveAll(registry.settings, registry.messenger), RegistryStatus::kCancelled);
  EXPECT_EQ(RegisteredCount(registry.settings), 3);
}

TEST(Registry, RemovingAllEmptiesTheRegistry) {
  Registry registry(4);
  registry.settings.dic_num = 2;
  EXPECT_EQ(RemoveAll(registry.settings, registry.messenger), RegistryStatus::kOk);
  EXPECT_EQ(registry.messenger.records[0].text,
            "すべての辞書を登録から削除します。\n\n本当にいいですか？");
  EXPECT_EQ(RegisteredCount(registry.settings), 0);
  EXPECT_TRUE(registry.settings.dic_files[0].empty());
  EXPECT_EQ(registry.settings.dic_num, kStandardPreDictionary);
}

TEST(Registry, IndicatorTextsFollowTheMode) {
  Registry registry(2);
  registry.settings.dic_names[1] = Sjis("化学");
  EXPECT_EQ(IndicatorText(registry.settings), "[本体辞書]");
  ASSERT_EQ(SetMode(registry.settings, 2), RegistryStatus::kOk);
  EXPECT_EQ(IndicatorText(registry.settings), "[標準ﾌﾟﾚ]＋[本体辞書]");
  EXPECT_EQ(MainWindowIndicatorText(registry.settings), "[標準pre]＋[本体辞書]");
  ASSERT_EQ(SelectRegistered(registry.settings, 1, registry.messenger), RegistryStatus::kOk);
  EXPECT_EQ(PreDictionaryLabel(registry.settings), "[化学]");
  EXPECT_EQ(IndicatorText(registry.settings), "[化学]＋[本体辞書]");
  ASSERT_EQ(SetMode(registry.settings, 1), RegistryStatus::kOk);
  EXPECT_EQ(IndicatorText(registry.settings), "[化学]");
  EXPECT_EQ(SetMode(registry.settings, 3), RegistryStatus::kBadMode);
  EXPECT_EQ(registry.settings.dic_pattern, 1);
}

TEST(Registry, SelectionNamingAnEmptyEntryMeansTheStandardDictionary) {
  Registry registry(2);
  registry.settings.dic_num = 5;  // as a hand-edited settings file may leave it
  EXPECT_EQ(SelectedIndex(registry.settings), kStandardPreDictionary);
  EXPECT_EQ(PreDictionaryLabel(registry.settings), "[標準ﾌﾟﾚ]");
  EXPECT_EQ(UserDictionaryOf(registry.settings, registry.program),
            registry.program.StandardUserDictionary());
}

TEST(Registry, SelectingChecksTheEntryAndItsFile) {
  Registry registry(3);
  EXPECT_EQ(SelectRegistered(registry.settings, 3, registry.messenger),
            RegistryStatus::kNothingChosen);
  EXPECT_EQ(registry.messenger.records.back().text,
            "登録したい辞書ファイルが選択されていません。\nまず選択(反転)してください。");
  registry.settings.dic_files[1] = registry.program.DicDir() / "";
  EXPECT_EQ(SelectRegistered(registry.settings, 1, registry.messenger), RegistryStatus::kNoFile);
  EXPECT_EQ(registry.messenger.records.back().title, "ご報告");
  EXPECT_EQ(registry.messenger.records.back().text,
            "[ d1 ] は辞書ファイルが登録されていません。\n\n登録し直してください。");
  fs::path gone = registry.program.DicDir() / "gone.dic";
  registry.settings.dic_files[2] = gone;
  EXPECT_EQ(SelectRegistered(registry.settings, 2, registry.messenger),
            RegistryStatus::kFileMissing);
  EXPECT_EQ(registry.messenger.records.back().text,
            "辞書ファイル[d2](" + gone.string() +
                ") は存在しません。\n\n一覧から削除の上、登録し直してください。");
  EXPECT_EQ(registry.settings.dic_num, kStandardPreDictionary);
  EXPECT_EQ(SelectRegistered(registry.settings, 0, registry.messenger), RegistryStatus::kOk);
  EXPECT_EQ(UserDictionaryOf(registry.settings, registry.program), registry.ruby);
}

TEST(Registry, StandardDictionaryMissingIsWarnedButSelected) {
  Registry registry(1);
  registry.settings.dic_num = 0;
  EXPECT_EQ(SelectStandard(registry.settings, registry.program, registry.messenger),
            RegistryStatus::kOk);
  EXPECT_EQ(registry.settings.dic_num, kStandardPreDictionary);
  ASSERT_TRUE(ShowedOnly(registry.messenger, "警告", "標準辞書の qv_users.dic がありません。"));
  WriteFile(registry.program.StandardUserDictionary(), "x");
  CheckOnOpening(registry.settings, registry.program, registry.messenger);
  EXPECT_EQ(registry.messenger.records.size(), 1u);
}

TEST(Registry, ExistenceReportSaysWhetherTheFileIsThere) {
  Registry registry(2);
  fs::path gone = registry.program.DicDir() / "gone.dic";
  registry.settings.dic_files[1] = gone;
  EXPECT_EQ(ExistenceReport(registry.settings, 0),
            "    Congratulations!!\n\n[ d0 ]辞書 は [ " + registry.ruby.string() + " ] です。");
  EXPECT_EQ(ExistenceReport(registry.settings, 1),
            "    Sorry!!\n\n[ d1 ]辞書 は [ " + gone.string() +
                " ] に登録されていますが\n\nここには該当ファイルは存在しません!!");
  ShowExistence(registry.settings, 1, registry.messenger);
  EXPECT_EQ(registry.messenger.records.back().title, "ご報告");
  ShowExistence(registry.settings, 2, registry.messenger);
  EXPECT_EQ(registry.messenger.records.back().title, "ご確認！");
  EXPECT_EQ(registry.messenger.records.back().text,
            "存在確認したいファイルを選択（反転）してください。");
}

}  // namespace
}  // namespace dictionary
