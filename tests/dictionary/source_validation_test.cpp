#include "dictionary/source_validation.h"

#include <gtest/gtest.h>

#include <regex>
#include <utility>
#include <vector>

#include "common/encoding/cp932.h"
#include "tests/dictionary/dictionary_fixtures.h"
#include "tests/support/file_size_cap.h"

namespace dictionary {
namespace {

ValidationResult Validate(const ScratchDir& dir, const std::filesystem::path& source,
                          RecordingMessenger& messenger) {
  return ValidateSource({source, dir / "names.dic", dir.Path(), common::WorkDir(dir.Path())},
                        messenger);
}

TEST(SourceValidation, GoldenSourceGivesItsReportAndWorkFiles) {
  ScratchDir dir;
  RecordingMessenger messenger;
  ValidationResult result = Validate(dir, fixtures::Golden("source.pre"), messenger);
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result.rejected, 4u);
  EXPECT_EQ(result.accepted, (WordCounts{3, 5, 1, 0, 0, 0, 0, 0, 0, 0}));

  std::string report = ReadFile(dir / "error_ck.out");
  std::string head = ReadFile(fixtures::Golden("expected_report_head.out"));
  ASSERT_GE(report.size(), head.size());
  EXPECT_TRUE(BytesEqual(head, report.substr(0, head.size())));
  std::string footer = common::Cp932ToUtf8Lossy(report.substr(head.size()));
  EXPECT_TRUE(std::regex_match(
      footer,
      std::regex("【てすまろ】るび振り用辞書<" + (dir / "names.dic").string() +
                 ">作成・更新結果\r\n◆作成日時：\\d{4}/\\d\\d/\\d\\d \\d{1,2}:\\d\\d:\\d\\d\r\n")))
      << footer;

  EXPECT_EQ(ReadFile(dir / "d01.$"), Sjis("漢,かん|から\r\n字,じ\r\n漢,から\r\n"));
  EXPECT_EQ(
      ReadFile(dir / "d02.$"),
      Sjis("漢字,かん*じ\r\n人々,ひと*びと\r\n行く,い\r\n珈琲,こー*ひー\r\n今日,*きょう\r\n"));
  EXPECT_EQ(ReadFile(dir / "d10.$"), "");

  ASSERT_EQ(messenger.records.size(), 2u);  // the half-width word and the line without a comma
  EXPECT_EQ(messenger.records[0].title, "注意！");
  EXPECT_TRUE(
      messenger.records[0].text.starts_with("11行目：見出し語（第１フィールド）に半角文字 「A」"));
  EXPECT_TRUE(messenger.records[1].text.starts_with("15行目：コンマ（,）がありません。"));
}

TEST(SourceValidation, CommentsOnlyGiveZeroCounts) {
  ScratchDir dir;
  WriteFile(dir / "s.pre", Sjis("# 一行目\r\n# 二行目\r\n"));
  RecordingMessenger messenger;
  ASSERT_TRUE(Validate(dir, dir / "s.pre", messenger).ok());
  std::string report = common::Cp932ToUtf8Lossy(ReadFile(dir / "error_ck.out"));
  EXPECT_TRUE(report.starts_with("1 字：0 語\r\n2 字：0 語\r\n"));
  EXPECT_NE(report.find("10 字：0 語\r\n合計語数= 0\r\n\r\nError 総数= 0\r\n\r\n【"),
            std::string::npos);
}

// A line is one line however long it is: its comment never starts a line of its own, whether a
// double-byte character or a single byte stands where an old reader cut it.
TEST(SourceValidation, LongLineCountsAsOneLine) {
  std::string kana_comment;
  for (int i = 0; i < 64; ++i) kana_comment += Sjis("あ");
  const std::string longer_than_kept(kSourceLineBytes + 100, 'x');
  const std::vector<std::pair<const char*, std::string>> comments = {
      {"130 single bytes", std::string(130, 'x')},
      {"64 kana", kana_comment},
      {"64 kana after one byte", "x" + kana_comment},
      {"more than is kept of a line", longer_than_kept},
  };
  for (const auto& [what, comment] : comments) {
    ScratchDir dir;
    WriteFile(dir / "s.pre", Sjis("漢,かん #") + comment + "\r\n" + Sjis("漢字,かんじ\r\n"));
    RecordingMessenger messenger;
    ValidationResult result = Validate(dir, dir / "s.pre", messenger);
    ASSERT_TRUE(result.ok()) << what;
    EXPECT_EQ(result.accepted[0], 1u) << what;
    EXPECT_EQ(result.rejected, 1u) << what;
    EXPECT_TRUE(common::Cp932ToUtf8Lossy(ReadFile(dir / "error_ck.out"))
                    .starts_with("2行目：<errnum=8>漢字数と読み数が一致しない"))
        << what;
  }
}

TEST(SourceValidation, TooManyWordsOfOneLengthStopWithoutSummary) {
  ScratchDir dir;
  std::string line = Sjis("漢漢漢漢漢漢漢漢漢漢,か*か*か*か*か*か*か*か*か*か\r\n");
  std::string source = Sjis("漢漢,かん\r\n");       // rejected: its report line stays
  for (int i = 0; i <= 36000; ++i) source += line;  // 36001 × 20 key bytes > 720000
  WriteFile(dir / "s.pre", source);
  RecordingMessenger messenger;
  ValidationResult result = Validate(dir, dir / "s.pre", messenger);
  EXPECT_EQ(result.status, ValidationStatus::kTooManyWords);
  ASSERT_TRUE(ShowedOnly(messenger, "注意！", "10 字のデータが多すぎる。"));
  EXPECT_EQ(
      ReadFile(dir / "error_ck.out"),
      Sjis("1行目：<errnum=8>漢字数と読み数が一致しない< * の数をCheck or 不要なspaceを削除>\r\n"));
}

TEST(SourceValidation, ReportThatCannotBeCreatedFailsWithMessage) {
  ScratchDir dir;
  WriteFile(dir / "file", "");
  RecordingMessenger messenger;
  ValidationResult result = ValidateSource(
      {fixtures::Golden("source.pre"), dir / "n.dic", dir / "file", common::WorkDir(dir.Path())},
      messenger);
  EXPECT_EQ(result.status, ValidationStatus::kCannotCreateReport);
  // The report is named with its folder, and why it could not be made there.
  ASSERT_TRUE(ShowedOnly(messenger, "注意！012",
                         "報告ファイル<" + (dir / "file" / "error_ck.out").string() +
                             ">が作れません。フォルダ<" + (dir / "file").string() +
                             ">がありません。"));
}

TEST(SourceValidation, MissingSourceOrWorkFolderFailSilently) {
  ScratchDir dir;
  RecordingMessenger messenger;
  EXPECT_EQ(Validate(dir, dir / "none.pre", messenger).status, ValidationStatus::kSourceUnreadable);
  WriteFile(dir / "file", "");
  ValidationResult result = ValidateSource(
      {fixtures::Golden("source.pre"), dir / "n.dic", dir.Path(), common::WorkDir(dir / "file")},
      messenger);
  EXPECT_EQ(result.status, ValidationStatus::kCannotCreateWorkFile);
  EXPECT_TRUE(messenger.records.empty());
}

TEST(SourceValidation, WorkFileCutShortByAFullDiskFails) {
  ScratchDir dir;
  std::string source;
  for (int i = 0; i < 8000; ++i) source += Sjis("漢字,かん*じ\r\n");  // 112 KB of entries
  WriteFile(dir / "s.pre", source);
  RecordingMessenger messenger;
  ValidationResult result;
  {
    testing_support::FileSizeCap cap(64 * 1024);
    result = Validate(dir, dir / "s.pre", messenger);
  }
  EXPECT_EQ(result.status, ValidationStatus::kWriteFailed);
  EXPECT_TRUE(
      ShowedOnly(messenger, "", "作業ファイル<" + (dir / "d02.$").string() + ">に書き込めない。"));
}

TEST(BuildReport, EveryRejectionHasItsLine) {
  EXPECT_EQ(RejectedLineText(7, SourceError::kPipeWithoutKana),
            Sjis("7行目：<errnum=4>| の後にるびかながない。\n"));
  for (int errnum : {1, 3, 6, 7, 8, 9, 10, 11}) {
    std::string line = RejectedLineText(1, static_cast<SourceError>(errnum));
    EXPECT_TRUE(line.starts_with(Sjis("1行目：<errnum=" + std::to_string(errnum) + ">")));
    EXPECT_GT(line.size(), Sjis("1行目：<errnum=10>\n").size());
  }
}

TEST(BuildReport, DateAndTimeInShortDateAndLongTimeForm) {
  std::tm local{};
  local.tm_year = 2026 - 1900;
  local.tm_mon = 11;
  local.tm_mday = 6;
  local.tm_hour = 8;
  local.tm_min = 5;
  local.tm_sec = 3;
  EXPECT_EQ(ReportDateTime(local), "2026/12/06 8:05:03");
}

TEST(BuildReport, PathWithoutShiftJisFormIsStillNamed) {
  EXPECT_EQ(PathForReport("/d/\xF0\x9F\x98\x80/n.dic"), "/d/?/n.dic");  // an emoji
}

}  // namespace
}  // namespace dictionary
