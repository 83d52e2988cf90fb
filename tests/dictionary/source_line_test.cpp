#include "dictionary/source_line.h"

#include <gtest/gtest.h>

#include "common/encoding/cp932.h"
#include "dictionary/build_report.h"
#include "tests/dictionary/dictionary_fixtures.h"

namespace dictionary {
namespace {

int ErrnumOf(std::string_view utf8_line) {
  SourceLineCheck check = CheckSourceLine(Sjis(utf8_line) + "\n");
  EXPECT_EQ(check.kind, SourceLineKind::kRejected) << utf8_line;
  return static_cast<int>(check.error);
}

SourceLineCheck Accepted(std::string_view utf8_line) {
  SourceLineCheck check = CheckSourceLine(Sjis(utf8_line) + "\n");
  EXPECT_EQ(check.kind, SourceLineKind::kAccepted) << utf8_line;
  return check;
}

TEST(SourceLine, EntryEndsBeforeItsComment) {
  SourceLineCheck check = Accepted("漢字,かん*じ # comment");
  EXPECT_EQ(check.word_length, 2);
  EXPECT_EQ(check.entry_end, Sjis("漢字,かん*じ").size());
  EXPECT_EQ(Accepted("漢,かん#x").entry_end, 7u);
  EXPECT_EQ(Accepted("漢,かん,x").entry_end, 7u);
}

TEST(SourceLine, IterationMarksAndSmallKeAreRubyTargets) {
  EXPECT_EQ(Accepted("人々,ひと*びと").word_length, 2);
  EXPECT_EQ(Accepted("一ヶ月,いっ*か*げつ").word_length, 3);
  EXPECT_EQ(Accepted("行く,い").word_length, 2);
  Accepted("珈琲,こー*ひー");
  Accepted("漢,かん|から");
}

TEST(SourceLine, LeadingSeparatorGivesTheFirstCharacterAnEmptyReading) {
  Accepted("漢字,*かん");
  EXPECT_EQ(ErrnumOf("漢,*かん"), 8);
}

TEST(SourceLine, EachFaultHasItsNumber) {
  EXPECT_EQ(ErrnumOf("漢漢漢漢漢漢漢漢漢漢漢,か"), 1);
  EXPECT_EQ(ErrnumOf("漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢,か"), 2);
  EXPECT_EQ(ErrnumOf("漢字,ーかん"), 2);
  EXPECT_EQ(ErrnumOf("あいう,あいう"), 3);
  EXPECT_EQ(ErrnumOf("漢,かん|"), 4);
  EXPECT_EQ(ErrnumOf("漢,かん||から"), 4);
  EXPECT_EQ(ErrnumOf("漢,かん。"), 6);
  EXPECT_EQ(ErrnumOf("漢,、かん"), 6);
  EXPECT_EQ(ErrnumOf("漢字,カン"), 7);
  EXPECT_EQ(ErrnumOf("漢,かa"), 7);
  EXPECT_EQ(ErrnumOf("漢,か漢"), 7);
  EXPECT_EQ(ErrnumOf("漢字,かんじ"), 8);
  EXPECT_EQ(ErrnumOf("漢,aか"), 9);
  EXPECT_EQ(ErrnumOf("漢,|か"), 9);
  EXPECT_EQ(ErrnumOf("漢,"), 9);
  EXPECT_EQ(ErrnumOf("漢字,かん*"), 10);
  EXPECT_EQ(ErrnumOf("漢字,かん* x"), 10);
  EXPECT_EQ(ErrnumOf("漢,* か"), 10);
  EXPECT_EQ(ErrnumOf("漢a,か"), 11);
}

TEST(SourceLine, EntryOfSixtyBytesIsMalformed) {
  // Ten characters, a comma and nine separators are 30 bytes; 15 hiragana make 60.
  EXPECT_EQ(ErrnumOf("漢漢漢漢漢漢漢漢漢漢,かか*かか*かか*かか*かか*か*か*か*か*か"), 2);
  Accepted("漢漢漢漢漢漢漢漢漢漢,かか*かか*かか*かか*か*か*か*か*か*か");  // 58 bytes
}

TEST(SourceLine, LineWithoutCommaNamesTheByteThatEndedTheWord) {
  SourceLineCheck check = CheckSourceLine(Sjis("漢字かんじ") + "\n");
  EXPECT_EQ(check.error, SourceError::kHalfWidthInFirstField);
  EXPECT_EQ(check.stray_byte, '\n');
  EXPECT_EQ(CheckSourceLine(Sjis("漢字かんじ")).stray_byte, 0);
  EXPECT_EQ(CheckSourceLine(Sjis("漢 字,かん")).stray_byte, ' ');
}

// Only comments and blank lines are skipped; every other line is accepted or refused, and a
// refusal says in words what is wrong: the report line, and the message shown at once for a
// broken word.
TEST(SourceLine, EveryRefusedLineIsExplained) {
  struct Case {
    std::string_view line;
    SourceLineKind kind;
    int errnum;
    std::string_view reason;  // as the report gives it
    std::string_view notice;  // the message shown at once, or none
  } cases[] = {
      {"# 漢字,かんじ", SourceLineKind::kSkipped, 0, "", ""},
      {"", SourceLineKind::kSkipped, 0, "", ""},
      {" \t ", SourceLineKind::kSkipped, 0, "", ""},
      {"ABC,えーびーしー", SourceLineKind::kRejected, 11,
       "第１ﾌｨｰﾙﾄﾞに半角文字がある<半角文字削除>",
       "3行目：見出し語（第１フィールド）に半角文字 「A」 があります。\n"
       "見出し語は全角文字だけで書いてください。"},
      {" 漢,かん", SourceLineKind::kRejected, 11, "第１ﾌｨｰﾙﾄﾞに半角文字がある<半角文字削除>",
       "3行目：見出し語（第１フィールド）に半角文字 空白 があります。\n"
       "見出し語は全角文字だけで書いてください。"},
      {"漢\t,かん", SourceLineKind::kRejected, 11, "第１ﾌｨｰﾙﾄﾞに半角文字がある<半角文字削除>",
       "3行目：見出し語（第１フィールド）に半角文字 タブ があります。\n"
       "見出し語は全角文字だけで書いてください。"},
      {"漢字かんじ", SourceLineKind::kRejected, 11, "コンマ（,）がない<見出し語,読み の形にする>",
       "3行目：コンマ（,）がありません。\n見出し語と読みをコンマで区切ってください。"},
      {"漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢漢,か", SourceLineKind::kRejected, 2,
       "第１ﾌｨｰﾙﾄﾞの字数が１０字を超えている。", ""},
      {"漢字,ーかん", SourceLineKind::kRejected, 2, "読みが ー（音引き）で始まっている。", ""},
      {"漢漢漢漢漢漢漢漢漢漢,かか*かか*かか*かか*かか*か*か*か*か*か", SourceLineKind::kRejected, 2,
       "見出し語と読みで６０バイト（全角３０字）以上ある<短くする>", ""},
  };
  for (const Case& c : cases) {
    SourceLineCheck check = CheckSourceLine(Sjis(c.line) + "\n");
    ASSERT_EQ(check.kind, c.kind) << c.line;
    if (check.kind != SourceLineKind::kRejected) continue;
    EXPECT_EQ(static_cast<int>(check.error), c.errnum) << c.line;
    EXPECT_EQ(common::Cp932ToUtf8Lossy(RejectedLineText(3, check.error, check.fault)),
              "3行目：<errnum=" + std::to_string(c.errnum) + ">" + std::string(c.reason) + "\n");
    if (!c.notice.empty()) {
      EXPECT_EQ(BrokenWordNotice(3, check), c.notice) << c.line;
    }
  }
}

TEST(SourceLine, TrailBytePipeIsNotAnAlternative) {
  // － is 0x81 0x7C: its trail byte equals '|', but it is a full-width symbol.
  EXPECT_EQ(ErrnumOf("漢,か－か"), 6);
  // ＋ (0x81 0x7B) is a character of the word like any other.
  EXPECT_EQ(Accepted("＋漢,かん").word_length, 2);
}

TEST(SourceLine, LeadByteCutOffByTheLineEndIsNoCharacter) {
  EXPECT_EQ(CheckSourceLine("\x8A\xBF\x8A").error, SourceError::kHalfWidthInFirstField);
  EXPECT_EQ(CheckSourceLine("\x8A\xBF,\x82\xA9\x82").error, SourceError::kFullWidthSymbolInReading);
}

// A lead byte before a comma once made "\x8D," one character of the word, so that the word
// written to the dictionary held the comma and the line's reading.
TEST(SourceLine, LeadByteBeforeAByteNoCharacterEndsWithIsNoCharacter) {
  for (std::string_view line : {"\x8D,\x93\xFA,*\x82\xAB\x82\xE5", "\x8A\xBF\x95 ,\x82\xA9"}) {
    SourceLineCheck check = CheckSourceLine(line);
    EXPECT_EQ(check.error, SourceError::kHalfWidthInFirstField);
    EXPECT_EQ(check.stray_byte, static_cast<unsigned char>(line[line[1] == ',' ? 1 : 3]));
  }
  std::string found = ReadFile(TestData("dictionary/source_word_with_broken_double_byte.pre"));
  std::string_view rest = found;
  while (!rest.empty()) {
    std::string_view line = rest.substr(0, rest.find('\n'));
    rest.remove_prefix(std::min(rest.size(), line.size() + 1));
    SourceLineCheck check = CheckSourceLine(line);
    if (check.kind != SourceLineKind::kAccepted) continue;
    EXPECT_EQ(line.find(','), 2 * static_cast<std::size_t>(check.word_length)) << line;
  }
}

}  // namespace
}  // namespace dictionary
