#include "dictionary/restore.h"

#include <gtest/gtest.h>

#include "common/file_system.h"
#include "dictionary/dictionary_builder.h"
#include "tests/dictionary/dictionary_fixtures.h"
#include "tests/support/file_size_cap.h"

namespace dictionary {
namespace {

// The golden dictionary copied to dir/names.dic.
fs::path GoldenCopy(const ScratchDir& dir) {
  fs::copy_file(fixtures::Golden("expected.dic"), dir / "names.dic");
  return dir / "names.dic";
}

TEST(Restore, GoldenDictionaryGivesItsSourceBack) {
  ScratchDir dir;
  RecordingMessenger messenger;
  ASSERT_EQ(RunRestoreCommand(GoldenCopy(dir), messenger), RestoreStatus::kOk);
  EXPECT_EQ(RestoredSourcePath(dir / "names.dic"), dir / "names.pre");
  // Both 漢 lines come back in their stored order; length 2 comes by bucket, not by source line.
  EXPECT_TRUE(
      BytesEqual(ReadFile(fixtures::Golden("expected_restored.pre")), ReadFile(dir / "names.pre")));
  ASSERT_TRUE(ShowedOnly(messenger, "お知らせ",
                         "< " + (dir / "names.pre").string() + " >ファイルを作成しました。"));
}

TEST(Restore, RestoredSourceBuildsTheSameBytes) {
  ScratchDir dir;
  fs::create_directory(dir / "work");
  RecordingMessenger messenger;
  ASSERT_EQ(RestoreSource(GoldenCopy(dir), messenger), RestoreStatus::kOk);
  BuildRequest request{dir / "names.pre", dir / "again", common::ProgramDir(dir.Path()),
                       common::WorkDir(dir / "work")};
  ASSERT_EQ(BuildDictionary(request, messenger), BuildStatus::kOk);
  EXPECT_TRUE(BytesEqual(ReadFile(dir / "names.dic"), ReadFile(dir / "again.dic")));
}

TEST(Restore, FileWithoutTheSignatureIsRefusedWhateverItsSize) {
  for (std::size_t size : {4096u, 100u, 0u}) {  // shorter than a header, too
    ScratchDir dir;
    WriteFile(dir / "kanken_Q.dic", std::string(size, '\x01'));
    RecordingMessenger messenger;
    EXPECT_EQ(RunRestoreCommand(dir / "kanken_Q.dic", messenger), RestoreStatus::kCannotOpen);
    ASSERT_EQ(messenger.records.size(), 2u) << size;
    EXPECT_EQ(messenger.records[0].title, "ご注意");
    EXPECT_EQ(messenger.records[0].text, "指定された辞書は、<るび振り>用の辞書ではありません。\n");
    EXPECT_EQ(messenger.records[1].title, "ご注意!!");
    EXPECT_EQ(messenger.records[1].text,
              "< " + (dir / "kanken_Q.pre").string() + " >ファイルの作成に\n失敗しました。");
    EXPECT_FALSE(fs::exists(dir / "kanken_Q.pre"));
  }
}

TEST(Restore, DeclinedOverwriteLeavesSourceAndBackupWithoutAFailureMessage) {
  for (bool read_only : {false, true}) {
    ScratchDir dir;
    WriteFile(dir / "names.pre", "mine");
    WriteFile(dir / "names.~pre", "older");
    if (read_only) {
      fs::permissions(dir / "names.pre", fs::perms::owner_write, fs::perm_options::remove);
    }
    RecordingMessenger messenger;
    messenger.Script({Answer::kCancel});
    EXPECT_EQ(RunRestoreCommand(GoldenCopy(dir), messenger),
              read_only ? RestoreStatus::kReadOnlyKept : RestoreStatus::kOverwriteDeclined);
    // The user's own choice is not reported as a failure to write the source.
    ASSERT_EQ(messenger.records.size(), 1u);
    EXPECT_EQ(messenger.records[0].title, "確認");
    EXPECT_TRUE(messenger.records[0].text.ends_with(read_only ? "属性を解除して書き込みますか？"
                                                              : "上書きしていいですか？"));
    EXPECT_EQ(ReadFile(dir / "names.pre"), "mine");
    EXPECT_EQ(ReadFile(dir / "names.~pre"), "older");
  }
}

TEST(Restore, OnlyTheLatestPreviousSourceIsKept) {
  ScratchDir dir;
  WriteFile(dir / "names.pre", "mine");
  WriteFile(dir / "names.~pre", "older");
  RecordingMessenger messenger;
  ASSERT_EQ(RestoreSource(GoldenCopy(dir), messenger), RestoreStatus::kOk);
  EXPECT_EQ(ReadFile(dir / "names.~pre"), "mine");
  EXPECT_EQ(ReadFile(dir / "names.pre"), ReadFile(fixtures::Golden("expected_restored.pre")));
}

TEST(Restore, DamagedDictionaryLeavesNoPartialSource) {
  ScratchDir dir;
  std::string bytes = ReadFile(fixtures::Golden("expected.dic"));
  std::size_t record = kRecordsOffset + kRecordSize * 2;  // length 3
  std::uint32_t buckets = ReadLe24(bytes.data() + record + 16);
  bytes[buckets + 3] = '\x40';  // bucket 0 claims 64 keys
  WriteFile(dir / "names.dic", bytes);
  WriteFile(dir / "names.pre", "mine");
  RecordingMessenger messenger;
  EXPECT_EQ(RestoreSource(dir / "names.dic", messenger), RestoreStatus::kCannotOpen);
  EXPECT_NE(messenger.records.back().text.find("の 3 字の語の部分が壊れています。"),
            std::string::npos);
  EXPECT_EQ(ReadFile(dir / "names.pre"), "mine");
  EXPECT_FALSE(fs::exists(dir / "names.~pre"));
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir.Path())) files += entry.is_regular_file();
  EXPECT_EQ(files, 2);
}

TEST(Restore, SourceThatCannotBePutInPlaceFails) {
  ScratchDir dir;
  fs::create_directory(dir / "names.pre");  // in the way of the new file
  RecordingMessenger messenger;
  EXPECT_EQ(RestoreSource(GoldenCopy(dir), messenger), RestoreStatus::kCannotCreate);
  EXPECT_EQ(messenger.records.back().title, "注意！");
  EXPECT_TRUE(fs::is_directory(dir / "names.pre"));
}

TEST(Restore, FullDiskKeepsTheOldSource) {
  ScratchDir dir;
  std::string source;
  for (int i = 0; i < 4000; ++i) {  // 4000 different two-kanji words, about 50 KB of source
    source += {'\x89', static_cast<char>(0x9F + i % 94), '\x8A', static_cast<char>(0x9F + i / 94)};
    source += "," + testing_support::Sjis("い*い") + "\n";
  }
  WriteFile(dir / "big.pre", source);
  fs::create_directory(dir / "work");
  RecordingMessenger messenger;
  BuildRequest request{dir / "big.pre", dir / "names", common::ProgramDir(dir.Path()),
                       common::WorkDir(dir / "work")};
  ASSERT_EQ(BuildDictionary(request, messenger), BuildStatus::kOk);
  WriteFile(dir / "names.pre", "mine");
  RestoreStatus status;
  {
    testing_support::FileSizeCap cap(32 * 1024);
    status = RestoreSource(dir / "names.dic", messenger);
  }
  EXPECT_EQ(status, RestoreStatus::kCannotCreate);
  EXPECT_TRUE(messenger.records.back().text.ends_with(
      ">に書き込めませんでした。\n元のファイルはそのまま残っています。"));
  EXPECT_EQ(ReadFile(dir / "names.pre"), "mine");
}

}  // namespace
}  // namespace dictionary
