#include "dictionary/level_dictionary.h"

#include <gtest/gtest.h>

#include "common/platform/file_system.h"
#include "common/status.h"
#include "common/encoding/text_encoding.h"
#include "dictionary/build_command.h"
#include "dictionary/level_dictionary_format.h"
#include "dictionary/level_source.h"
#include "tests/dictionary/dictionary_fixtures.h"

namespace dictionary {
namespace {

constexpr std::uint16_t kIchi = 0x88EA;  // 一
constexpr int kLevel2 = 2;               // ２級
constexpr int kLevel10 = 11;             // 10級

// A program folder whose dic/q_file/ holds the twelve lists, each a comment unless given.
struct LevelProgram {
  LevelProgram() {
    fs::create_directories(program.LevelSourceDir());
    for (std::string_view name : kLevelSourceNames) SetList(name, "# none\r\n");
  }
  void SetList(std::string_view name, std::string_view text) {
    WriteFile(program.LevelSourceDir() / name, text);
  }
  LevelBuildStatus Build() { return BuildLevelDictionary(program, messenger); }

  ScratchDir dir;
  common::ProgramDir program{dir.Path()};
  RecordingMessenger messenger;
};

std::array<std::string, kLevelCount> Lists() {
  std::array<std::string, kLevelCount> texts;
  texts.fill("# none\n");
  return texts;
}

// A dictionary of 一 alone, in the first level.
std::string IchiAloneBytes() {
  std::array<std::string, kLevelCount> texts = Lists();
  texts[0] = Sjis("一\n");
  return EncodeLevelDictionary(CollectLevelEntries(texts));
}

TEST(LevelSource, IchiInTenthLevelListGoesToBucket341WithCodeB) {
  std::array<std::string, kLevelCount> texts = Lists();
  texts[kLevel10] = Sjis("一\n");
  std::string bytes = EncodeLevelDictionary(CollectLevelEntries(texts));
  EXPECT_TRUE(BytesEqual(std::string("\x00\x00\x01", 3), bytes.substr(16 + 3 * 341, 3)));
  EXPECT_TRUE(
      BytesEqual("\x88\xEA"
                 "B",
                 bytes.substr(1824)));
  EXPECT_TRUE(BytesEqual(std::string("\x02\x39\x00\x00"
                                     "by Mokutaro\x00",
                                     16),
                         bytes.substr(0, 16)));
}

// A long line gives one entry, from its first character.
TEST(LevelSource, CommentEmptyAndIndentedLinesAreNotCounted) {
  std::array<std::string, kLevelCount> texts = Lists();
  texts[0] = Sjis("#一\n 右\n\n雨") + std::string(200, 'x') + "\n";
  std::vector<LevelEntry> entries = CollectLevelEntries(texts);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].kanji, 0x894A);
}

TEST(LevelDictionaryBuild, MissingListStopsBeforeTheOldDictionaryIsTouched) {
  LevelProgram dir;
  fs::remove(dir.program.LevelSourceDir() / "qj1.txt");
  WriteFile(dir.program.LevelDictionary(), "old");
  EXPECT_EQ(dir.Build(), LevelBuildStatus::kFailed);
  ASSERT_EQ(dir.messenger.records.size(), 1u);
  EXPECT_FALSE(dir.messenger.records[0].asked);
  EXPECT_EQ(dir.messenger.records[0].title, "ご確認！");
  EXPECT_EQ(dir.messenger.records[0].text,
            "対象テキスト " + (dir.program.LevelSourceDir() / "qj1.txt").string() + " がない\n");
  EXPECT_EQ(ReadFile(dir.program.LevelDictionary()), "old");
  EXPECT_FALSE(fs::exists(dir.program.DicDir() / "kanken_Q.~dic"));
}

// Cancelling the question about a read-only dictionary keeps it as it is.
TEST(LevelDictionaryBuild, CancelKeepsAReadOnlyDictionary) {
  LevelProgram dir;
  WriteFile(dir.program.LevelDictionary(), "old");
  fs::permissions(dir.program.LevelDictionary(), fs::perms::owner_read);
  dir.messenger.Script({Answer::kCancel});
  EXPECT_EQ(dir.Build(), LevelBuildStatus::kReadOnlyKept);
  EXPECT_TRUE(dir.messenger.records[0].text.ends_with(
      ">は読み出し専用ファイルとして\n既に存在します。\n\n属性を解除して書き込みますか？"));
  EXPECT_EQ(ReadFile(dir.program.LevelDictionary()), "old");
  EXPECT_FALSE(fs::exists(dir.program.DicDir() / "kanken_Q.~dic"));
}

TEST(LevelDictionaryBuild, MoreKanjiThanTheReadersTakeAreRefused) {
  LevelProgram dir;
  // 7001 lines spread over many buckets: the byte pairs run through 0x8140 onward.
  std::string list;
  for (int i = 0; i < 7001; ++i) {
    list += static_cast<char>(0x88 + i / 180);
    list += static_cast<char>(0x40 + i % 180);
    list += "\r\n";
  }
  dir.SetList("q1.txt", list);
  EXPECT_EQ(dir.Build(), LevelBuildStatus::kOverLimit);
  ASSERT_EQ(dir.messenger.records.size(), 1u);
  EXPECT_EQ(
      dir.messenger.records[0].text,
      "漢検級の一覧の漢字が合わせて 7001 字あります。\n漢検級辞書に入る漢字は 7000 字までです。");
  EXPECT_FALSE(fs::exists(dir.program.LevelDictionary()));
}

TEST(LevelDictionaryBuild, OverfullBucketIsRefused) {
  LevelProgram dir;
  std::string list;
  for (int i = 0; i < 256; ++i) list += Sjis("一\r\n");
  dir.SetList("q10.txt", list);
  EXPECT_EQ(common::CodeOf(dir.Build()), -11);
  EXPECT_TRUE(
      ShowedOnly(dir.messenger, "",
                 "漢検級の一覧で、同じ検索区画に入る漢字が 255 字を超えています（区画 341）。\n"
                 "漢検級辞書を作成できません。"));
  EXPECT_FALSE(fs::exists(dir.program.LevelDictionary()));
  // 255 in one bucket still fit.
  dir.SetList("q10.txt", list.substr(4));
  EXPECT_EQ(dir.Build(), LevelBuildStatus::kOk);
}

TEST(LevelDictionaryLoad, FirstListWins) {
  RecordingMessenger messenger;
  LevelDictionary dictionary;
  ASSERT_TRUE(dictionary.Load(TestData("dictionary/level_small/kanken_Q.dic"), messenger));
  EXPECT_EQ(dictionary.LevelIndexOf(0x889F), kLevel2);       // 亜, in q2 and q3
  EXPECT_EQ(dictionary.LevelIndexOf(kIchi), kLevel10);       // second in its bucket, after 構
  EXPECT_EQ(dictionary.LevelIndexOf(0x8D5C), 6);             // 構
  EXPECT_EQ(dictionary.LevelIndexOf(0x9F54), 0);             // 鬱
  EXPECT_EQ(dictionary.LevelIndexOf(0x88F8), 10);            // 引
  EXPECT_EQ(dictionary.LevelIndexOf(0x8ABF), std::nullopt);  // 漢: 級外
  EXPECT_TRUE(messenger.records.empty());
}

TEST(LevelDictionaryLoad, DamagedFileIsRefused) {
  ScratchDir dir;
  RecordingMessenger messenger;
  LevelDictionary dictionary;
  std::string bytes = ReadFile(TestData("dictionary/level_small/kanken_Q.dic"));
  WriteFile(dir / "cut.dic", bytes.substr(0, bytes.size() - 3));  // 雨's entry is gone
  EXPECT_FALSE(dictionary.Load(dir / "cut.dic", messenger));
  WriteFile(dir / "short.dic", bytes.substr(0, 1000));
  EXPECT_FALSE(dictionary.Load(dir / "short.dic", messenger));
  EXPECT_FALSE(dictionary.Load(dir / "missing.dic", messenger));
  ASSERT_EQ(messenger.records.size(), 3u);
  EXPECT_EQ(messenger.records[0].title, "大事な大事なご報告");
  EXPECT_EQ(messenger.records[0].text, "漢検級辞書<" + (dir / "cut.dic").string() +
                                           ">が壊れています。\n漢検級辞書を作り直してください。");
  EXPECT_EQ(messenger.records[2].text, "漢検級辞書<" + (dir / "missing.dic").string() +
                                           ">が壊れています。\n漢検級辞書を作り直してください。");
  EXPECT_EQ(dictionary.LevelIndexOf(kIchi), std::nullopt);
}

TEST(LevelDictionaryLoad, LevelCodesMapByMask) {
  ScratchDir dir;
  RecordingMessenger messenger;
  std::string bytes = IchiAloneBytes();
  for (char code : std::string_view("09ABC")) {
    bytes.back() = code;
    WriteFile(dir / "one.dic", bytes);
    LevelDictionary dictionary;
    ASSERT_TRUE(dictionary.Load(dir / "one.dic", messenger));
    int expected = code <= '9' ? code - '0' : code - 'A' + 10;
    EXPECT_EQ(dictionary.LevelIndexOf(kIchi), expected) << code;
  }
}

// A lookup reads only the kanji's own bucket: an entry listed under another bucket is never
// found, as the program that reads these files never finds it.
TEST(LevelDictionaryLoad, EntryUnderAnotherBucketIsNotFound) {
  ScratchDir dir;
  RecordingMessenger messenger;
  std::string bytes = IchiAloneBytes();
  const std::size_t own = kLevelBucketOffset + kLevelBucketSize * LevelBucketOf(kIchi);
  const std::size_t other = kLevelBucketOffset + kLevelBucketSize * (LevelBucketOf(kIchi) + 1);
  bytes.replace(other, kLevelBucketSize, bytes.substr(own, kLevelBucketSize));
  bytes.replace(own, kLevelBucketSize, std::string(kLevelBucketSize, '\0'));
  WriteFile(dir / "moved.dic", bytes);
  LevelDictionary dictionary;
  ASSERT_TRUE(dictionary.Load(dir / "moved.dic", messenger));
  EXPECT_EQ(dictionary.LevelIndexOf(kIchi), std::nullopt);
}

}  // namespace
}  // namespace dictionary
