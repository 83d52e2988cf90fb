#include "common/notation/notation_checker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "common/encoding/text_source.h"
#include "tests/support/failing_source.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace common {
namespace {

using testing_support::FailingSource;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::WriteFile;

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

TEST(NotationCheck, SoundTextsPassWithTheirCounts) {
  struct Row {
    std::string_view utf8;
    int groups;
    int lines;
    bool html_mode;
  };
  const Row rows[] = {
      {"{漢字/かんじ}\n", 1, 1, false},
      {"{漢字/カンジ}\n", 1, 1, false},  // katakana readings are accepted
      {"{一/ヶ}{時/ゝー}\n", 2, 1, false},
      {"{人/ひと|にん}\n", 1, 1, false},  // separators are not reported unless asked
      {"{図/ず}＋\n", 1, 1, false},       // 図 is 0x90 0x7D, ＋ is 0x81 0x7B: no braces
      {"{漢/かん}\r\n{字/じ}\r\n", 2, 2, false},
      {"<html><head>{a/b}</head>\n", 0, 0, true},  // no body tag: nothing is checked
      {"<HTML><HEAD>{a}</HEAD>\n<BODY>{漢/かん}\n</BODY>\n", 1, 2, true},
      {"<html>{a}\n<body>{漢/かん}\n", 1, 1, true},  // "<body>" when "<BODY>" is absent
  };
  for (const Row& row : rows) {
    NotationCheck check = Check(Sjis(row.utf8));
    ASSERT_TRUE(check.ok()) << row.utf8;
    EXPECT_EQ(check.groups, row.groups) << row.utf8;
    EXPECT_EQ(check.lines, row.lines) << row.utf8;
    EXPECT_EQ(check.html_mode, row.html_mode) << row.utf8;
    EXPECT_FALSE(check.read_failed);
  }
}

TEST(NotationCheck, MalformedGroupGivesItsCodePlaceAndLine) {
  struct Row {
    std::string_view utf8;
    CheckCode code;
    std::size_t fault_offset;  // the caret goes one byte before it
    int line;
  };
  const Row rows[] = {
      // The base loop takes かんじ as base characters and then meets '}'.
      {"{漢字かんじ}", CheckCode::kBaseNotEnded, 12, 1},
      {"{a/b}", CheckCode::kNoBaseAfterBrace, 2, 1},
      {"{漢字/}", CheckCode::kReadingNotKana, 7, 1},
      {"{漢字/かん字}", CheckCode::kKanjiInReading, 11, 1},
      {"{人/ひと々}", CheckCode::kKanjiInReading, 9, 1},
      {"{漢字/漢}", CheckCode::kNoReading, 7, 1},
      {"{人/ひと|人}\n", CheckCode::kKanjiInReading, 10, 1},  // after a skipped separator
      {"{漢/かん}\n{漢字/かんじ\n", CheckCode::kReadingNotKana, 23, 2},
      {"{漢/かん}\nabc}\nxyz\n", CheckCode::kUnbalancedBraces, 14, 2},
      {"{漢/かん}\r\n{字/ジ字}\r\n", CheckCode::kKanjiInReading, 18, 2},
      // A reading holds kana only, up to its '}': the first other character is the fault.
      {"{漢/か＊}\n", CheckCode::kReadingNotKana, 7, 1},
      {"{日本/に・ほん}\n", CheckCode::kReadingNotKana, 9, 1},
      {"{は/ー１\n/}人\n", CheckCode::kReadingNotKana, 7, 1},  // not run on over the line feed
      {"{は/ー１/}{人/ひと}\n", CheckCode::kReadingNotKana, 7, 1},
      {"}{a/b}", CheckCode::kNoBaseAfterBrace, 3, 1},  // a '{' right after a stray '}'
      {"ab}\ncd\n", CheckCode::kUnbalancedBraces, 3, 1},
      // A last line without a line feed is balanced as any other.
      {"今日}", CheckCode::kUnbalancedBraces, 5, 1},
      {"{漢/かん}\n{字/じ}}", CheckCode::kUnbalancedBraces, 18, 2},
      {"<Html><BODY>{a/b}\n", CheckCode::kNoBaseAfterBrace, 14, 1},  // no HTML mode
      // Groups that run off the end of the text.
      {"{", CheckCode::kNoBaseAfterBrace, 2, 1},
      {"{漢", CheckCode::kBaseNotEnded, 4, 1},
      {"{漢/", CheckCode::kReadingNotKana, 5, 1},
      {"{漢/かんじ", CheckCode::kReadingNotKana, 11, 1},
      {"{人/ひと|", CheckCode::kReadingNotKana, 10, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.utf8);
    std::string text = Sjis(row.utf8);
    NotationCheck check = Check(text);
    ExpectFault(check, row.code, row.fault_offset);
    EXPECT_EQ(LogicalLineOfFault(common::StringTextSource(text), check.fault_offset), row.line);
  }
}

TEST(NotationCheck, LoneLeadByteAtTheEndIsNeverReadPast) {
  EXPECT_TRUE(Check("abc\x8A").ok());
  ExpectFault(Check("{\x8A"), CheckCode::kBaseNotEnded, 3);
  ExpectFault(Check(Sjis("{漢/") + "\x82"), CheckCode::kReadingNotKana, 5);
  ExpectFault(Check(Sjis("{漢/か") + "\x82"), CheckCode::kReadingNotKana, 7);
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
  EXPECT_TRUE(Check(text, false).ok());
  ExpectFault(Check(text, true), CheckCode::kSeparatorFound, 9);  // the '|' is at offset 8
}

TEST(NotationCheck, LaterStartOffsetSkipsWhatComesBefore) {
  std::string text = Sjis("{a/b}\n{漢/かん}\n");
  NotationCheck check = Check(text, false, NoAreas(), 6);
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.groups, 1);
  EXPECT_EQ(check.lines, 1);
  EXPECT_TRUE(Check(text, false, NoAreas(), text.size() + 5).ok());
}

// Areas between "<HTML>" and "<BODY>" are not scanned; an area that never closes runs to the
// end; an end string before the start string closes none; an empty string counts as absent.
TEST(NotationCheck, NonRubyAreasAreNotScanned) {
  common::NonRubyAreas no_start;
  no_start.start.clear();
  common::NonRubyAreas no_end;
  no_end.end.clear();
  struct Row {
    std::string_view utf8;
    common::NonRubyAreas areas;
    int groups;  // -1: the fault below
    int lines = 1;
    CheckCode code = CheckCode::kNoBaseAfterBrace;
    std::size_t fault_offset = 0;
  };
  const Row rows[] = {
      {"abc<HTML>{a/b}\n<BODY>{漢/かん}\n", {}, 1},  // the line feed inside is not passed
      {"abc<HTML>{a/b}\n<BODY>{漢/かん}\n", NoAreas(), -1, 0, CheckCode::kNoBaseAfterBrace, 11},
      {"{漢/かん}<HTML>{a/b}\n", {}, 1, 0},
      {"{漢/かん}<BODY>{字/じ}<HTML>{a/b}<BODY>{字/じ}\n", {}, 3},
      {"{漢/か<HTML>ん}<BODY>\n", {}, -1, 0, CheckCode::kReadingNotKana, 7},
      {"x<HTML>{a/b}<BODY>", no_start, -1, 0, CheckCode::kNoBaseAfterBrace, 9},
      {"x<HTML>{a/b}<BODY>{c/d}", no_end, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.utf8);
    NotationCheck check = Check(Sjis(row.utf8), false, row.areas);
    if (row.groups < 0) {
      ExpectFault(check, row.code, row.fault_offset);
      continue;
    }
    ASSERT_TRUE(check.ok());
    EXPECT_EQ(check.groups, row.groups);
    EXPECT_EQ(check.lines, row.lines);
  }
}

TEST(NotationCheck, FileOnDiskIsCheckedPieceByPiece) {
  ScratchDir dir;
  std::string sound = Repeat(Sjis("{漢/かん}\r\n"), 9000);  // 99000 bytes, past the 64 KiB window
  WriteFile(dir / "big.srb", sound);
  auto source = common::FileTextSource::Open(dir / "big.srb");
  ASSERT_TRUE(source);
  NotationCheck clean = CheckNotation(*source, 0, false, common::NonRubyAreas{});
  ASSERT_TRUE(clean.ok());
  EXPECT_EQ(clean.groups, 9000);
  EXPECT_EQ(clean.lines, 9000);

  WriteFile(dir / "big.srb", sound + Sjis("{a/b}\r\n"));
  source = common::FileTextSource::Open(dir / "big.srb");
  NotationCheck check = CheckNotation(*source, 0, false, common::NonRubyAreas{});
  ExpectFault(check, CheckCode::kNoBaseAfterBrace, 9000 * 11 + 2);
  EXPECT_EQ(LogicalLineOfFault(*source, check.fault_offset), 9001);
}

// The scan reads the text 64 KiB at a time: a character cut by that edge keeps its trail byte,
// whatever byte that is, and what follows is still looked at.
TEST(NotationCheck, CharacterCutByTheReadingWindowStaysWhole) {
  const std::string before(65535, 'a');
  ExpectFault(Check(before + "\x8A\xBF" + "{a/b}\n"), CheckCode::kNoBaseAfterBrace, 65537 + 2);
  // '{' as the trail byte opens no group: the '}' after it is left unbalanced.
  ExpectFault(Check(before + "\x8A{a/b}\n"), CheckCode::kUnbalancedBraces, 65541);
  EXPECT_TRUE(Check(before + "\x8A}a\n" + std::string(70000, 'b') + "\n").ok());
}

TEST(NotationCheck, TextThatCannotBeReadWholeIsSaidSo) {
  std::string line = Sjis("{漢/かん}\n");
  FailingSource source(Repeat(line, 10000), 7000 * line.size());
  NotationCheck check = CheckNotation(source, 0, false, NoAreas());
  EXPECT_TRUE(check.read_failed);
  EXPECT_EQ(check.groups, 7000);
}

// A text read a few bytes at a time, so that the scan never has a long stretch loaded and
// steps byte by byte, as a scan of any text may near its loaded end.
class TricklingSource final : public TextSource {
 public:
  explicit TricklingSource(std::string_view text) : text_(text) {}
  std::size_t Size() const override { return text_.size(); }
  std::size_t Read(std::size_t offset, char* buffer, std::size_t count) const override {
    std::size_t n = std::min({count, kMostBytes, text_.size() - std::min(offset, text_.size())});
    std::copy_n(text_.data() + offset, n, buffer);
    return n;
  }
  bool Failed() const override { return false; }

 private:
  static constexpr std::size_t kMostBytes = 13;
  std::string_view text_;
};

// Long stretches are stepped over in blocks; wherever a block starts or ends (in a character,
// before a brace that is a trail byte, on a line feed), the scan stops where a scan byte by byte
// stops, with the same counts.
TEST(NotationCheck, LongStretchesGiveWhatAStepByByteGives) {
  std::mt19937 random(1207);
  // ボ, マ and ポ have '{', '}' and '|' for their trail bytes.
  const std::string sound[] = {"a", "abcdefgh", Sjis("漢字"), Sjis("ボ"), Sjis("マ"), Sjis("ポ"),
                               Sjis("{漢字/かんじ}"), Sjis("{漢/かん|から}"), "\n", "\r\n"};
  const std::string faulty[] = {"{", "}", Sjis("{漢字}"), "{a/b}", "\x83"};
  for (int t = 0; t < 400; ++t) {
    std::string text;
    std::size_t size = 200 + random() % 3000;
    while (text.size() < size) {
      std::size_t pick = random() % std::size(sound);
      std::size_t times = pick == 0 ? random() % 130 : 1;  // runs of every length
      for (std::size_t i = 0; i < times; ++i) text += sound[pick];
      if (random() % 400 == 0) text += faulty[random() % std::size(faulty)];
    }
    StringTextSource whole(text);
    TricklingSource trickle(text);
    for (bool separators : {false, true}) {
      NotationCheck fast = CheckNotation(whole, 0, separators, NoAreas());
      NotationCheck slow = CheckNotation(trickle, 0, separators, NoAreas());
      ASSERT_EQ(fast.faulty, slow.faulty) << "text " << t;
      EXPECT_EQ(fast.groups, slow.groups) << "text " << t;
      EXPECT_EQ(fast.lines, slow.lines) << "text " << t;
      if (fast.faulty) {
        EXPECT_EQ(fast.code, slow.code) << "text " << t;
        EXPECT_EQ(fast.fault_offset, slow.fault_offset) << "text " << t;
      }
    }
  }
}

TEST(LogicalLineOfFault, CountsLineFeedsBeforeTheCaret) {
  common::StringTextSource source("a\nb\nc");
  EXPECT_EQ(LogicalLineOfFault(source, 0), 1);
  EXPECT_EQ(LogicalLineOfFault(source, 1), 1);
  EXPECT_EQ(LogicalLineOfFault(source, 2), 1);  // the caret before the first LF
  EXPECT_EQ(LogicalLineOfFault(source, 3), 2);
  EXPECT_EQ(LogicalLineOfFault(source, 99), 3);
}

TEST(ReportFault, EveryCodeHasItsOwnMessageWithItsLine) {
  const CheckCode codes[] = {
      CheckCode::kReadingTooLong,   CheckCode::kBaseTooLong,    CheckCode::kUnbalancedBraces,
      CheckCode::kNoBaseAfterBrace, CheckCode::kBaseNotEnded,   CheckCode::kReadingNotKana,
      CheckCode::kNoReading,        CheckCode::kKanjiInReading, CheckCode::kSeparatorFound};
  RecordingMessenger messenger;
  for (CheckCode code : codes) ReportFault(code, 12, messenger);
  std::set<std::string> texts;
  for (const auto& record : messenger.records) {
    EXPECT_EQ(record.title, "警告");
    EXPECT_TRUE(record.text.starts_with("12 行目::")) << record.text;
    texts.insert(record.text);
  }
  EXPECT_EQ(texts.size(), std::size(codes));
  EXPECT_EQ(messenger.records[0].text, "12 行目::るびかなの数が 20 字を超えている。");
  EXPECT_EQ(messenger.records[2].text, "12 行目::<{>と<}>の数が不一致。");
  EXPECT_EQ(messenger.records[5].text,
            "12 行目::<{漢字/***}> の***は全角のひらがなにせよ。\n"
            "もしくは、ひらがなの後は半角 } で閉じよ。");
  EXPECT_EQ(messenger.records[8].text, "12 行目::複数読みｾﾊﾟﾚｰﾀの '|' を捕捉しました。");
}

TEST(CheckPassedText, NamesFileStartLinesAndGroups) {
  EXPECT_EQ(CheckPassedText("/home/u/物語.srb", 1, 1, 42, 17),
            "【ファイル】: /home/u/物語.srb\n[ 1行(物理行)1字目］からCheck開始\n"
            "【総行数(論理行)】: 42 行\n【総ルビ数】: 17 箇所\n\n不正な箇所はありません。");
}

}  // namespace
}  // namespace common
