#include "rubywindow/notation_checker.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/text_source.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace rubywindow {
namespace {

using testing_support::Sjis;

common::NonRubyAreas NoAreas() {
  common::NonRubyAreas areas;
  areas.enabled = false;
  return areas;
}

NotationCheck Check(std::string_view sjis, bool report_separators = false,
                    const common::NonRubyAreas& areas = NoAreas(), std::size_t start = 0) {
  common::StringTextSource source(sjis);
  return CheckNotation(source, start, report_separators, areas);
}

void ExpectFault(const NotationCheck& check, CheckCode code, std::size_t fault_offset) {
  ASSERT_FALSE(check.ok());
  EXPECT_EQ(check.code, code);
  EXPECT_EQ(check.fault_offset, fault_offset);
}

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

TEST(NotationCheck, WellFormedGroupOnOneLinePasses) {
  NotationCheck check = Check(Sjis("{漢字/かんじ}\n"));
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 1);
  EXPECT_EQ(check.lines, 1);
  EXPECT_FALSE(check.html_mode);
}

TEST(NotationCheck, KatakanaReadingPasses) {
  EXPECT_TRUE(Check(Sjis("{漢字/カンジ}\n")).ok());
  EXPECT_TRUE(Check(Sjis("{一/ヶ}{時/ゝー}\n")).ok());
}

TEST(NotationCheck, BaseWithoutSeparatorIsCode4) {
  // The base loop takes かんじ as base characters and then meets '}' at offset 11.
  ExpectFault(Check(Sjis("{漢字かんじ}")), CheckCode::kBaseNotEnded, 12);
}

TEST(NotationCheck, SingleByteAfterOpeningBraceIsCode3) {
  ExpectFault(Check("{a/b}"), CheckCode::kNoBaseAfterBrace, 2);
}

TEST(NotationCheck, EmptyReadingIsCode6) {
  ExpectFault(Check(Sjis("{漢字/}")), CheckCode::kReadingNotKana, 7);
}

TEST(NotationCheck, KanjiAfterReadingCharacterIsCode8) {
  ExpectFault(Check(Sjis("{漢字/かん字}")), CheckCode::kKanjiInReading, 11);
  ExpectFault(Check(Sjis("{人/ひと々}")), CheckCode::kKanjiInReading, 9);
}

TEST(NotationCheck, ReadingStartingWithKanjiIsCode7) {
  ExpectFault(Check(Sjis("{漢字/漢}")), CheckCode::kNoReading, 7);
}

TEST(NotationCheck, BaseOfTenPassesAndOfElevenIsCode1) {
  EXPECT_TRUE(Check("{" + Repeat(Sjis("漢"), 10) + Sjis("/かん}\n")).ok());
  // The fault shows at the '/' after the 22 base bytes.
  ExpectFault(Check("{" + Repeat(Sjis("漢"), 11) + Sjis("/かん}\n")), CheckCode::kBaseTooLong, 24);
}

TEST(NotationCheck, ReadingOfTwentyPassesAndOfTwentyOneIsCode0) {
  EXPECT_TRUE(Check(Sjis("{漢/") + Repeat(Sjis("か"), 20) + "}\n").ok());
  // The fault shows at the closing brace: 1 + 2 + 1 + 42 bytes before it.
  ExpectFault(Check(Sjis("{漢/") + Repeat(Sjis("か"), 21) + "}\n"), CheckCode::kReadingTooLong, 47);
}

TEST(NotationCheck, SeparatorIsReportedOnlyWhenAsked) {
  std::string text = Sjis("{人/ひと|にん}\n");
  NotationCheck quiet = Check(text, false);
  ASSERT_TRUE(quiet.ok());
  EXPECT_EQ(quiet.groups, 1);
  // The caret goes to fault_offset - 1, which is the '|' at offset 8.
  ExpectFault(Check(text, true), CheckCode::kSeparatorFound, 9);
}

TEST(NotationCheck, CharacterAfterSkippedSeparatorIsStillChecked) {
  ExpectFault(Check(Sjis("{人/ひと|人}\n")), CheckCode::kKanjiInReading, 10);
}

TEST(NotationCheck, LineFeedAfterReadingIsCode6OnTheGroupsLine) {
  std::string text = Sjis("{漢/かん}\n{漢字/かんじ\n");
  NotationCheck check = Check(text);
  ExpectFault(check, CheckCode::kReadingNotKana, 23);
  common::StringTextSource source(text);
  EXPECT_EQ(LogicalLineOfFault(source, check.fault_offset), 2);
}

TEST(NotationCheck, UnbalancedLineIsCode2AtItsLineFeed) {
  std::string text = Sjis("{漢/かん}\nabc}\nxyz\n");
  NotationCheck check = Check(text);
  ExpectFault(check, CheckCode::kUnbalancedBraces, 14);
  common::StringTextSource source(text);
  EXPECT_EQ(LogicalLineOfFault(source, check.fault_offset), 2);
}

TEST(NotationCheck, LastLineWithoutLineFeedIsNotBalanced) {
  NotationCheck check = Check(Sjis("{漢/かん}\nabc}"));
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.lines, 1);
}

TEST(NotationCheck, NonKanaCharacterEndsReadingAndItsBraceIsMissed) {
  // ＊ ends the reading and the step past it skips the '}', which the line balance then lacks.
  ExpectFault(Check(Sjis("{漢/か＊}\n")), CheckCode::kUnbalancedBraces, 9);
}

TEST(NotationCheck, HtmlTextWithoutBodyTagChecksNothing) {
  NotationCheck check = Check("<html><head>{a/b}</head>\n");
  ASSERT_TRUE(check.ok());
  EXPECT_TRUE(check.html_mode);
  EXPECT_EQ(check.groups, 0);
  EXPECT_EQ(check.lines, 0);
}

TEST(NotationCheck, HtmlTextIsCheckedFromItsBody) {
  NotationCheck check = Check(Sjis("<HTML><HEAD>{a}</HEAD>\n<BODY>{漢/かん}\n</BODY>\n"));
  ASSERT_TRUE(check.ok());
  EXPECT_TRUE(check.html_mode);
  EXPECT_EQ(check.groups, 1);
  EXPECT_EQ(check.lines, 2);
}

TEST(NotationCheck, LowerCaseBodyTagIsUsedWhenUpperCaseIsAbsent) {
  NotationCheck check = Check(Sjis("<html>{a}\n<body>{漢/かん}\n"));
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 1);
}

TEST(NotationCheck, MixedCaseHtmlTagIsNotHtmlMode) {
  NotationCheck check = Check("<Html><BODY>{a/b}\n");
  EXPECT_FALSE(check.html_mode);
  ExpectFault(check, CheckCode::kNoBaseAfterBrace, 14);
}

TEST(NotationCheck, LaterStartOffsetSkipsWhatComesBefore) {
  std::string text = Sjis("{a/b}\n{漢/かん}\n");
  NotationCheck check = Check(text, false, NoAreas(), 6);
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 1);
  EXPECT_EQ(check.lines, 1);
  EXPECT_TRUE(Check(text, false, NoAreas(), text.size() + 5).ok());
}

TEST(NotationCheck, NonRubyAreasAreNotScanned) {
  std::string text = Sjis("abc<HTML>{a/b}\n<BODY>{漢/かん}\n");
  NotationCheck check = Check(text, false, common::NonRubyAreas{});
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 1);
  EXPECT_EQ(check.lines, 1);  // the line feed inside the area is not passed
  EXPECT_FALSE(Check(text, false, NoAreas()).ok());
}

TEST(NotationCheck, AreaThatNeverClosesRunsToTheEnd) {
  NotationCheck check = Check(Sjis("{漢/かん}<HTML>{a/b}\n"), false, common::NonRubyAreas{});
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 1);
}

TEST(NotationCheck, EmptyStartStringCountsAsAbsent) {
  common::NonRubyAreas areas;
  areas.start.clear();
  ExpectFault(Check("x<HTML>{a/b}<BODY>", false, areas), CheckCode::kNoBaseAfterBrace, 9);
}

TEST(NotationCheck, EmptyEndStringLeavesTheRestUnscanned) {
  common::NonRubyAreas areas;
  areas.end.clear();
  EXPECT_TRUE(Check("x<HTML>{a/b}<BODY>{c/d}", false, areas).ok());
}

TEST(NotationCheck, EndStringIsSoughtFromTheStartOfTheRange) {
  // The end string in front of the start string closes the area early, so the stretch between
  // them is scanned a second time.
  std::string text = Sjis("{漢/かん}<BODY>{字/じ}<HTML>x");
  NotationCheck check = Check(text, false, common::NonRubyAreas{});
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 3);
}

TEST(NotationCheck, GroupCutByAreaStartEndsAtTheRangeEnd) {
  std::string text = Sjis("{漢/か<HTML>ん}<BODY>\n");
  ExpectFault(Check(text, false, common::NonRubyAreas{}), CheckCode::kReadingNotKana, 7);
}

TEST(NotationCheck, OpeningBraceAfterStrayClosingBraceIsExamined) {
  ExpectFault(Check("}{a/b}"), CheckCode::kNoBaseAfterBrace, 3);
}

TEST(NotationCheck, StrayClosingBraceBeforeLineFeedUnbalancesTheLine) {
  ExpectFault(Check("ab}\ncd\n"), CheckCode::kUnbalancedBraces, 3);
}

TEST(NotationCheck, TrailByteBraceInBaseDoesNotCloseTheGroup) {
  NotationCheck check = Check(Sjis("{図/ず}＋\n"));  // 図 is 0x90 0x7D, ＋ is 0x81 0x7B
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 1);
  EXPECT_EQ(check.lines, 1);
}

TEST(NotationCheck, CrLfLineEndsAreCountedByTheirLineFeeds) {
  std::string text = Sjis("{漢/かん}\r\n{字/じ}\r\n");
  NotationCheck check = Check(text);
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 2);
  EXPECT_EQ(check.lines, 2);

  std::string faulty = Sjis("{漢/かん}\r\n{字/ジ字}\r\n");
  NotationCheck fault = Check(faulty);
  ExpectFault(fault, CheckCode::kKanjiInReading, 18);
  common::StringTextSource source(faulty);
  EXPECT_EQ(LogicalLineOfFault(source, fault.fault_offset), 2);
}

TEST(NotationCheck, LoneLeadByteAtTheEndIsNeverReadPast) {
  EXPECT_TRUE(Check("abc\x8A").ok());
  ExpectFault(Check("{\x8A"), CheckCode::kBaseNotEnded, 3);
  ExpectFault(Check(Sjis("{漢/") + "\x82"), CheckCode::kReadingNotKana, 5);
  ExpectFault(Check(Sjis("{漢/か") + "\x82"), CheckCode::kReadingNotKana, 7);
}

TEST(NotationCheck, GroupRunningOffTheEndIsAFault) {
  ExpectFault(Check("{"), CheckCode::kNoBaseAfterBrace, 2);
  ExpectFault(Check(Sjis("{漢")), CheckCode::kBaseNotEnded, 4);
  ExpectFault(Check(Sjis("{漢/")), CheckCode::kReadingNotKana, 5);
  ExpectFault(Check(Sjis("{漢/かんじ")), CheckCode::kReadingNotKana, 11);
  ExpectFault(Check(Sjis("{人/ひと|")), CheckCode::kReadingNotKana, 10);
}

TEST(NotationCheck, FaultBeyondTheReadingWindowHasItsExactOffset) {
  std::string line = Sjis("{漢/かん}あいう\n");  // 16 bytes
  std::string text = Repeat(line, 5000);         // 80000 bytes, past the 64 KiB window
  std::size_t fault_at = text.size();
  text += Sjis("{漢字/かん字}\n");
  NotationCheck check = Check(text);
  ExpectFault(check, CheckCode::kKanjiInReading, fault_at + 11);
  common::StringTextSource source(text);
  EXPECT_EQ(LogicalLineOfFault(source, check.fault_offset), 5001);

  std::string whole = Repeat(line, 5000);
  NotationCheck clean = Check(whole);
  ASSERT_TRUE(clean.ok());
  EXPECT_EQ(clean.groups, 5000);
  EXPECT_EQ(clean.lines, 5000);
}

TEST(NotationCheck, FileOnDiskIsCheckedPieceByPiece) {
  testing_support::ScratchDir dir;
  std::string text = Repeat(Sjis("{漢/かん}\r\n"), 9000) + Sjis("{a/b}\r\n");
  testing_support::WriteFile(dir / "big.srb", text);
  auto source = common::FileTextSource::Open(dir / "big.srb");
  ASSERT_TRUE(source);
  NotationCheck check = CheckNotation(*source, 0, false, common::NonRubyAreas{});
  ExpectFault(check, CheckCode::kNoBaseAfterBrace, 9000 * 11 + 2);
  EXPECT_EQ(LogicalLineOfFault(*source, check.fault_offset), 9001);
}

TEST(LogicalLineOfFault, CountsLineFeedsBeforeTheCaret) {
  common::StringTextSource source("a\nb\nc");
  EXPECT_EQ(LogicalLineOfFault(source, 0), 1);
  EXPECT_EQ(LogicalLineOfFault(source, 1), 1);
  EXPECT_EQ(LogicalLineOfFault(source, 2), 1);  // the caret before the first LF
  EXPECT_EQ(LogicalLineOfFault(source, 3), 2);
  EXPECT_EQ(LogicalLineOfFault(source, 99), 3);
}

TEST(ReportFault, ShowsTheCodesMessageWithItsLine) {
  testing_support::RecordingMessenger messenger;
  ReportFault(CheckCode::kReadingNotKana, 3, messenger);
  ReportFault(CheckCode::kSeparatorFound, 12, messenger);
  ReportFault(CheckCode::kUnbalancedBraces, 1, messenger);
  ASSERT_EQ(messenger.records.size(), 3u);
  EXPECT_EQ(messenger.records[0].title, "警告");
  EXPECT_EQ(messenger.records[0].text,
            "3 行目::<{漢字/***}> の***は全角のひらがなにせよ。\n"
            "もしくは、ひらがなの後は半角 } で閉じよ。");
  EXPECT_EQ(messenger.records[1].text, "12 行目::複数読みｾﾊﾟﾚｰﾀの '|' を捕捉しました。");
  EXPECT_EQ(messenger.records[2].text, "1 行目::<{>と<}>の数が不一致。");
}

TEST(ReportFault, EveryCodeHasItsOwnMessage) {
  const CheckCode codes[] = {
      CheckCode::kReadingTooLong,   CheckCode::kBaseTooLong,    CheckCode::kUnbalancedBraces,
      CheckCode::kNoBaseAfterBrace, CheckCode::kBaseNotEnded,   CheckCode::kReadingNotKana,
      CheckCode::kNoReading,        CheckCode::kKanjiInReading, CheckCode::kSeparatorFound};
  testing_support::RecordingMessenger messenger;
  for (CheckCode code : codes) ReportFault(code, 7, messenger);
  std::set<std::string> texts;
  for (const auto& record : messenger.records) {
    EXPECT_EQ(record.title, "警告");
    EXPECT_TRUE(record.text.starts_with("7 行目::")) << record.text;
    texts.insert(record.text);
  }
  EXPECT_EQ(texts.size(), std::size(codes));
  EXPECT_EQ(messenger.records[0].text, "7 行目::るびかなの数が 20 字を超えている。");
  EXPECT_EQ(messenger.records[1].text, "7 行目::漢字数が 10 字を超えている。");
}

TEST(CheckPassedText, NamesFileStartLinesAndGroups) {
  EXPECT_EQ(CheckPassedText("/home/u/物語.srb", 1, 1, 42, 17),
            "【ファイル】: /home/u/物語.srb\n[ 1行(物理行)1字目］からCheck開始\n"
            "【総行数(論理行)】: 42 行\n【総ルビ数】: 17 箇所\n\n不正な箇所はありません。");
  EXPECT_EQ(kCheckPassedTitle, "ご苦労様!!");
}

}  // namespace
}  // namespace rubywindow
