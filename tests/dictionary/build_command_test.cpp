#include "dictionary/build_command.h"

#include <gtest/gtest.h>

#include "common/status.h"
#include "tests/dictionary/dictionary_fixtures.h"
#include "tests/support/failing_source.h"

namespace dictionary {
namespace {

DictionaryBuildResult BuildText(const ScratchDir& dir, std::string_view text,
                                RecordingMessenger& messenger) {
  common::StringTextSource source(text);
  return RunDictionaryBuild(source, dir / "names", common::ProgramDir(dir.Path()),
                            common::WorkDir(dir.Path()), messenger);
}

TEST(DictionaryBuildCommand, EmptyTextBuildsNothing) {
  ScratchDir dir;
  RecordingMessenger messenger;
  DictionaryBuildResult result = BuildText(dir, "", messenger);
  EXPECT_FALSE(common::IsOk(result.status));
  ASSERT_TRUE(ShowedOnly(messenger, "ご注意！", "作成する内容がありません。"));
  EXPECT_FALSE(fs::exists(dir / "names.dic"));
  EXPECT_FALSE(fs::exists(dir / "error_ck.out"));
}

TEST(DictionaryBuildCommand, SuccessOffersTheReport) {
  ScratchDir dir;
  RecordingMessenger messenger;
  messenger.Script({Answer::kYes});
  DictionaryBuildResult result = BuildText(dir, Sjis("漢,かん\n"), messenger);
  EXPECT_EQ(result.status, BuildStatus::kOk);
  EXPECT_TRUE(result.show_report);
  EXPECT_EQ(result.report_path, dir / "error_ck.out");
  ASSERT_FALSE(messenger.records.empty());
  EXPECT_EQ(messenger.records.back().title, "ご確認！");
  EXPECT_EQ(messenger.records.back().text,
            "辞書 names.dic を作成・更新しました。\nｴﾗｰﾒｯｾｰｼﾞを表示しますか。");
  EXPECT_EQ(messenger.records.back().buttons, common::Buttons::kYesNo);
  EXPECT_FALSE(fs::exists(dir / "users$$$.$$$"));

  messenger.Script({Answer::kOk, Answer::kNo});  // overwrite, then no report
  EXPECT_FALSE(BuildText(dir, Sjis("漢,かん\n"), messenger).show_report);
}

TEST(DictionaryBuildCommand, CrLfTextIsSavedWithoutDoubledCarriageReturns) {
  ScratchDir crlf;
  ScratchDir lf;
  RecordingMessenger messenger;
  messenger.default_answer = Answer::kNo;
  ASSERT_EQ(BuildText(crlf, Sjis("漢,かん\r\n字,じ\r\n"), messenger).status, BuildStatus::kOk);
  ASSERT_EQ(BuildText(lf, Sjis("漢,かん\n字,じ\n"), messenger).status, BuildStatus::kOk);
  // A CR left before the line feed would have made both lines faulty readings.
  EXPECT_EQ(ReadFile(crlf / "names.dic"), ReadFile(lf / "names.dic"));
  for (const auto& record : messenger.records)
    EXPECT_EQ(record.text.find("不正データ"), std::string::npos);
}

TEST(DictionaryBuildCommand, FailureIsReportedOnce) {
  ScratchDir dir;
  testing_support::WriteFile(dir / "names.dic", "old");
  RecordingMessenger messenger;
  messenger.Script({Answer::kCancel});
  DictionaryBuildResult result = BuildText(dir, Sjis("漢,かん\n"), messenger);
  EXPECT_EQ(result.status, BuildStatus::kOverwriteDeclined);
  EXPECT_FALSE(result.show_report);
  EXPECT_EQ(messenger.records.back().title, "ご注意！");
  EXPECT_EQ(messenger.records.back().text, "辞書 names.dic の作成・更新に\n失敗しました。");
  EXPECT_FALSE(fs::exists(dir / "users$$$.$$$"));
}

TEST(DictionaryBuildCommand, UnsavedSourceSaysWhyBeforeTheFailure) {
  ScratchDir dir;
  const fs::path no_work = dir / "gone";
  RecordingMessenger messenger;
  common::StringTextSource text(Sjis("漢,かん\n"));
  DictionaryBuildResult result = RunDictionaryBuild(
      text, dir / "names", common::ProgramDir(dir.Path()), common::WorkDir(no_work), messenger);
  EXPECT_EQ(result.status, BuildStatus::kWorkFileMissing);
  ASSERT_EQ(messenger.records.size(), 2u);
  EXPECT_EQ(messenger.records[0].title, "注意！");
  EXPECT_EQ(messenger.records[0].text,
            "作業ファイル<" + (no_work / "users$$$.$$$").string() + ">に書き込めない。");
  EXPECT_EQ(messenger.records[1].text, "辞書 names.dic の作成・更新に\n失敗しました。");

  messenger.records.clear();
  testing_support::FailingSource failing(Sjis("漢,かん\n字,じ\n"), 5);
  result = RunDictionaryBuild(failing, dir / "names", common::ProgramDir(dir.Path()),
                              common::WorkDir(dir.Path()), messenger);
  EXPECT_EQ(result.status, BuildStatus::kWorkFileMissing);
  ASSERT_EQ(messenger.records.size(), 2u);
  EXPECT_EQ(messenger.records[0].text, "辞書元のテキストを最後まで読み込めませんでした。");
  EXPECT_FALSE(fs::exists(dir / "names.dic"));
  EXPECT_FALSE(fs::exists(dir / "users$$$.$$$"));
}

}  // namespace
}  // namespace dictionary
