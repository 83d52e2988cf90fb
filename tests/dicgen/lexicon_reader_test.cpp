// Reading the installed data: KANJIDIC and the two lexicons' rows, and the characters that
// cannot reach a Shift_JIS dictionary.
#include "dicgen/lexicon_reader.h"

#include <gtest/gtest.h>

#include "dicgen/compound_forms.h"
#include "dicgen/drop_log.h"
#include "dicgen/kanjidic.h"
#include "dicgen/messages.h"
#include "dicgen/sjis_table.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace dicgen {
namespace {

using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::WriteFile;

TEST(LexiconReader, UnidicReadingComesAfterQuotedFieldsWithCommas) {
  std::optional<LexiconRow> row = ParseUnidicRow(
      "時間,13767,3128,148,名詞,普通名詞,助数詞可能,*,*,*,ジカン,時間,時間,ジカン,時間,ジカン,"
      "漢,*,*,*,*,*,\"B4WW7G9G,B4WW\",体,ジカン,ジカン,ジカン,ジカン,0,C2,*,48840,17768");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->surface, U"時間");
  EXPECT_EQ(row->reading, U"じかん");
  EXPECT_EQ(row->cost, 148);
  EXPECT_FALSE(row->proper_noun);
}

TEST(LexiconReader, UnidicKindsOfWord) {
  std::optional<LexiconRow> noun = ParseUnidicRow(
      "終了,1,1,4014,名詞,普通名詞,サ変可能,*,*,*,シュウリョウ,終了,終了,シューリョー,終了,"
      "シューリョー,漢,*,*,*,*,*,*,体,シュウリョウ,シュウリョウ,*,*,0,C2,*,0,0");
  std::optional<LexiconRow> verb = ParseUnidicRow(
      "了し,1,1,7000,動詞,一般,*,*,サ行変格,連用形-一般,リョウスル,了する,了し,リョーシ,了する,"
      "リョースル,漢,*,*,*,*,*,*,用,リョウシ,リョウスル,*,*,0,C2,*,0,0");
  std::optional<LexiconRow> name = ParseUnidicRow(
      "田中,1,1,3000,名詞,固有名詞,人名,姓,*,*,タナカ,田中,田中,タナカ,田中,タナカ,固,*,*,*,*,*,"
      "*,体,タナカ,タナカ,*,*,0,C2,*,0,0");
  ASSERT_TRUE(noun && verb && name);
  EXPECT_TRUE(noun->sahen_noun);
  EXPECT_TRUE(verb->sahen_verb);
  EXPECT_TRUE(name->proper_noun);
}

// A row of UniDic's lex.csv: surface, cost, part of speech (four fields), conjugation type,
// lemma reading and the reading as written.
std::string UnidicLine(std::string_view surface, std::string_view pos, std::string_view type,
                       std::string_view lemma, std::string_view kana) {
  std::string row = std::string(surface) + ",1,1,5000," + std::string(pos) + "," +
                    std::string(type) + ",*," + std::string(lemma) + "," + std::string(surface) +
                    "," + std::string(surface) + ",*," + std::string(surface) + ",*,和";
  return row + ",*,*,*,*,*,*,体," + std::string(kana) + ",*,*,*,0,C1,*,0,0";
}

TEST(LexiconReader, UnidicMarksAffixesVariantsAndClassicalForms) {
  struct Case {
    std::string line;
    bool affix, classical, variant;
  };
  const Case cases[] = {
      {UnidicLine("者", "接尾辞,名詞的,一般,*", "*", "シャ", "シャ"), true, false, false},
      {UnidicLine("生", "接頭辞,*,*,*", "*", "ナマ", "ナマ"), true, false, false},
      {UnidicLine("者", "名詞,普通名詞,一般,*", "*", "モノ", "モノ"), false, false, false},
      {UnidicLine("者", "名詞,普通名詞,一般,*", "*", "モノ", "モン"), false, false, true},
      {UnidicLine("本当", "名詞,普通名詞,一般,*", "*", "ホントウ", "ホント"), false, false, true},
      // the sound changes of compounds are no variants
      {UnidicLine("会", "名詞,普通名詞,一般,*", "*", "カイ", "ガイ"), false, false, false},
      {UnidicLine("実", "接頭辞,*,*,*", "*", "ジツ", "ジッ"), true, false, false},
      // a conjugated form differs from its lemma as a matter of course
      {UnidicLine("来", "動詞,非自立可能,*,*", "カ行変格", "クル", "コ"), false, false, false},
      {UnidicLine("会は", "動詞,一般,*,*", "文語四段-ハ行", "アウ", "アハ"), false, true, false},
  };
  for (const Case& c : cases) {
    std::optional<LexiconRow> row = ParseUnidicRow(c.line);
    ASSERT_TRUE(row) << c.line;
    EXPECT_EQ(row->affix, c.affix) << c.line;
    EXPECT_EQ(row->classical, c.classical) << c.line;
    EXPECT_EQ(row->variant, c.variant) << c.line;
  }
}

TEST(LexiconReader, RowsWithoutKanjiOrKanaReadingAreSkipped) {
  EXPECT_FALSE(ParseIpadicRow("する,1,1,100,動詞,自立,*,*,サ変・スル,基本形,する,スル,スル"));
  EXPECT_FALSE(ParseIpadicRow("漢字,1,1,100,名詞,一般,*,*,*,*,漢字,*,*"));
  std::optional<LexiconRow> row =
      ParseIpadicRow("漢字,1,1,100,名詞,一般,*,*,*,*,漢字,カンジ,カンジ");
  ASSERT_TRUE(row);
  EXPECT_EQ(row->reading, U"かんじ");
}

TEST(LexiconReader, UnidicRowsAcrossReadBlocksAreReadWhole) {
  // The file is read a megabyte at a time; rows that straddle a block's end must survive.
  ScratchDir dir;
  std::string row =
      "漢字,1,1,100,名詞,普通名詞,一般,*,*,*,カンジ,漢字,漢字,カンジ,漢字,カンジ,漢,*,*,*,*,*,*,"
      "体,カンジ,カンジ,*,*,0,C2,*,0,0\r\n";
  std::string text;
  std::size_t rows = 0;
  for (; text.size() < (3u << 20); ++rows) text += row;
  text.resize(text.size() - 2);  // the last row without a line break
  WriteFile(dir / "lex.csv", text);
  RecordingMessenger messenger;
  std::optional<std::vector<LexiconRow>> read = ReadUnidicLexicon(dir / "lex.csv", messenger);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->size(), rows);
  for (const LexiconRow& lexicon_row : *read) ASSERT_EQ(lexicon_row.reading, U"かんじ");
  EXPECT_FALSE(ReadUnidicLexicon(dir / "missing.csv", messenger));
}

TEST(Kanjidic, DamagedLineCostsThatLineOnly) {
  ScratchDir dir;
  // 漢 カン and 字 ジ in EUC-JP, with a line of bytes that are not EUC-JP between them.
  WriteFile(dir / "kanjidic",
            "\xB4\xC1 3441 G3 \xA5\xAB\xA5\xF3\n\xFF\xFE bad\n\xBB\xFA 3B7A G1 \xA5\xB8\n");
  RecordingMessenger messenger;
  std::optional<std::vector<KanjiEntry>> entries = ReadKanjidic(dir / "kanjidic", messenger);
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 2u);
  EXPECT_EQ((*entries)[0].on_hiragana, std::vector<std::string>{"かん"});
  EXPECT_EQ((*entries)[1].kanji_utf8, "字");
  EXPECT_TRUE(messenger.records.empty());
}

TEST(Kanjidic, MissingOrWrongFileIsReported) {
  ScratchDir dir;
  RecordingMessenger messenger;
  EXPECT_FALSE(ReadKanjidic(dir / "none", messenger));
  WriteFile(dir / "other", "plain text\n");
  EXPECT_FALSE(ReadKanjidic(dir / "other", messenger));
  ASSERT_EQ(messenger.records.size(), 2u);
  EXPECT_EQ(messenger.records[0].title, messages::kTitleGenerator);
  EXPECT_NE(messenger.records[1].text.find("KANJIDIC"), std::string::npos);
}

TEST(SjisTable, WordsAndReadingsThatShiftJisCannotHold) {
  SjisTable sjis;
  std::optional<EncodedWord> word = sjis.EncodeWord(U"一ヶ月");
  ASSERT_TRUE(word);
  EXPECT_EQ(word->sjis, "\x88\xEA\x83\x96\x8C\x8E");
  EXPECT_EQ(word->targets, (std::vector<bool>{true, true, true}));
  EXPECT_FALSE(sjis.EncodeWord(U"嚙む"));  // CP932 has only 噛
  EXPECT_FALSE(sjis.EncodeWord(U"X線"));   // one byte: it would cut the word in a text
  EXPECT_EQ(WhyNotEncoded(U"X線"), DropReason::kHalfWidth);
  EXPECT_EQ(WhyNotEncoded(U"嚙む"), DropReason::kNotShiftJis);
  EXPECT_FALSE(sjis.EncodeReading(U"ゔぁ"));
  EXPECT_EQ(sjis.EncodeReading(U"かー"), "\x82\xA9\x81\x5B");
}

// A character is taken only with a code that reads back as itself: of a duplicate the code
// iconv writes, and never a one-way mapping, whose word a text would hold as another character.
TEST(SjisTable, CodesThatReadBackAsTheCharacter) {
  struct Case {
    const char* name;
    char32_t character;
    std::optional<std::uint16_t> code;
  };
  const Case kCases[] = {
      {"kanji", U'漢', 0x8ABF},
      {"ヶ", U'ヶ', 0x8396},
      {"NEC and IBM duplicate", U'纊', 0xFA5C},
      {"〜 is written as ～", U'〜', std::nullopt},
      {"‖ is written as ∥", U'‖', std::nullopt},
      {"～", U'～', 0x8160},
      {"a single byte", U'A', std::nullopt},
      {"half-width katakana", U'ｱ', std::nullopt},
      {"not in CP932", U'☃', std::nullopt},
  };
  SjisTable sjis;
  for (const Case& c : kCases) EXPECT_EQ(sjis.DoubleByteCode(c.character), c.code) << c.name;
}

TEST(DropLog, OneLinePerReasonWithCountAndExamples) {
  DropLog drops;
  for (std::u32string word : {U"一", U"二", U"三", U"四", U"五", U"六"}) {
    drops.Add(DropReason::kBucketFull, word);
  }
  drops.Add(DropReason::kTooLong, U"十一字の長い長い長い語");
  EXPECT_EQ(drops.Lines(), (std::vector<std::string>{
                               "11字以上の語 1語（例：十一字の長い長い長い語）",
                               "一つの検索区画に255語を超えた分 6語（例：一、二、三、四、五）"}));
}

TEST(CompoundForms, OnlyTailsThatMakeAWordWithTheLastKanji) {
  LexiconRow noun{U"終了", U"しゅうりょう", 3000, false, true, false};
  LexiconRow other_noun{U"処理", U"しょり", 3000, false, true, false};
  LexiconRow verb{U"了し", U"りょうし", 6000, false, false, true};
  LexiconRow longer{U"了しよう", U"りょうしよう", 6000, false, false, true};
  std::vector<WordEntry> forms = SahenCompoundForms(
      {noun, other_noun, verb, longer},
      {{U"終了", {U"しゅう", U"りょう"}, 3000}, {U"処理", {U"しょ", U"り"}, 3000}});
  ASSERT_EQ(forms.size(), 2u);
  EXPECT_EQ(forms[0].surface, U"終了し");
  EXPECT_EQ(forms[1].surface, U"終了しよう");
  EXPECT_EQ(forms[1].segments, (std::vector<std::u32string>{U"しゅう", U"りょう"}));
}

}  // namespace
}  // namespace dicgen
