// The main dictionary's source from tiny lexicon, KANJIDIC and table fixtures: the readings
// chosen, the words added and left out, and the file written.
#include "dicgen/main_source.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <algorithm>
#include <filesystem>

#include "common/encoding/cp932.h"
#include "common/platform/working_files.h"
#include "dicgen/messages.h"
#include "dictionary/dictionary_compiler.h"
#include "engine/sweep/dictionary_run.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace dicgen {
namespace {

using dictionary::CompiledDictionary;
using dictionary::EntriesByLength;
using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::WriteFile;

std::string EucJp(std::string_view utf8) {
  iconv_t to_euc = iconv_open("EUC-JP", "UTF-8");
  std::string out(utf8.size() * 2, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* at = out.data();
  std::size_t out_left = out.size();
  iconv(to_euc, &in, &in_left, &at, &out_left);
  iconv_close(to_euc);
  out.resize(out.size() - out_left);
  return out;
}

// A row of UniDic's lex.csv with the fields the generator reads.
std::string UnidicRow(std::string_view surface, int cost, std::string_view pos,
                      std::string_view conjugation, std::string_view kana) {
  std::string row = std::string(surface) + ",1,1," + std::to_string(cost) + "," + std::string(pos) +
                    ",*," + std::string(conjugation) + ",*,";
  row += std::string(kana) + "," + std::string(surface) + "," + std::string(surface) + ",";
  row += std::string(kana) + "," + std::string(surface) + "," + std::string(kana) + ",漢,";
  row += "*,*,*,*,\"B1,B2\",*,体,";  // a quoted field with a comma comes before the reading
  row += std::string(kana) + "," + std::string(kana) + ",*,*,0,C1,*,0,0\n";
  return row;
}

constexpr std::string_view kKanjidic =
    "# KANJIDIC test fixture\n"
    "漢 3441 U6f22 G3 F1 カン から {China}\n"
    "字 3B7A U5b57 G1 F2 ジ あざ {character}\n"
    "今 3A23 U4eca G2 コン キン いま {now}\n"
    "日 467C U65e5 G1 F1 ニチ ジツ ひ -か T1 す {day}\n"
    "人 3F4D U4eba G1 ジン ニン ひと -り {person}\n"
    "終 3D2A U7d42 G3 シュウ お.わる お.える {end}\n"
    "了 4E3B U4e86 G8 リョウ {finish}\n"
    "処 3D68 U51e6 G6 ショ {deal}\n"
    "理 4D7D U7406 G2 リ {reason}\n"
    "一 306C U4e00 G1 イチ イツ ひと ひと.つ {one}\n";

class MainSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(dir_ / "kanjidic", EucJp(kKanjidic));
    std::filesystem::create_directory(dir_ / "data");
    WriteFile(dir_ / "data" / std::string(kOverrideTableName), "# overrides\n人,にん\n");
    WriteFile(dir_ / "data" / std::string(kCounterTableName),
              "# counters\nつ ひとつ - - - - - - - - - -\n");
    inputs_.kanjidic = dir_ / "kanjidic";
    inputs_.data_dir = dir_ / "data";
  }

  void WriteUnidic(const std::string& rows) {
    WriteFile(dir_ / "lex.csv", rows);
    inputs_.unidic_lex = dir_ / "lex.csv";
  }

  // The source's lines as UTF-8, comments left out.
  std::vector<std::string> Lines() {
    std::string text = common::Cp932ToUtf8(ReadFile(pre_)).value_or("");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find("\r\n", start);
      std::string line = text.substr(start, end - start);
      if (!line.starts_with("#")) lines.push_back(line);
      start = end + 2;
    }
    return lines;
  }

  ScratchDir dir_;
  std::filesystem::path pre_ = dir_ / "Qv_Body.pre";
  MainSourceInputs inputs_;
  MainSourceReport report_;
  RecordingMessenger messenger_;
};

TEST_F(MainSourceTest, WritesTheSourceFromLexiconKanjidicAndTables) {
  WriteUnidic(UnidicRow("漢字", 3000, "名詞,普通名詞,一般", "*", "カンジ") +
              UnidicRow("漢", 2500, "名詞,普通名詞,一般", "*", "カラ") +
              UnidicRow("今日", 2000, "名詞,普通名詞,副詞可能", "*", "キョウ") +
              UnidicRow("人", 4000, "名詞,普通名詞,一般", "*", "ヒト") +
              UnidicRow("人", 1000, "名詞,固有名詞,人名", "*", "ジン") +
              UnidicRow("嚙む", 5000, "動詞,一般,*", "五段-マ行", "カム"));
  ASSERT_TRUE(WriteMainSource(inputs_, pre_, report_, messenger_));
  EXPECT_TRUE(messenger_.records.empty());
  std::string expected = Sjis(
      "# 主辞書の元ファイル。mirukaze-cli make-default-dic が作りました。\r\n"
      "# 語と読み: UniDic 3.1 (unidic-mecab, BSD)\r\n"
      "# 漢字ごとの読みの分け方: KANJIDIC (EDRDG, CC BY-SA 4.0)\r\n"
      "# 手直しの表: data/default/overrides.txt, counters.txt\r\n"
      // Single kanji from KANJIDIC (its first on'yomi), then from the lexicon (漢 から), then
      // the override table (人 にん, not the general word's ひと nor the name's じん); within a
      // length the commonest words come last, where a lookup meets them first.
      "終,しゅう\r\n理,り\r\n日,にち\r\n字,じ\r\n処,しょ\r\n今,こん\r\n了,りょう\r\n"
      "一,いち\r\n漢,から\r\n人,にん\r\n"
      "漢字,かん*じ\r\n今日,*きょう\r\n一つ,ひと\r\n");
  EXPECT_TRUE(BytesEqual(expected, ReadFile(pre_)));
  EXPECT_EQ(report_.words_written, Lines().size());
  ASSERT_EQ(report_.dropped.size(), 1u);
  EXPECT_EQ(report_.dropped[0], "Shift_JISで書けない字を含む語 1語（例：嚙む）");
}

// Compiles the source's lines into a dictionary as the builder would, and gives `text` ruby
// with it.
std::string RubyWith(const std::string& source, std::string_view text, const ScratchDir& dir) {
  EntriesByLength entries;
  std::size_t start = 0;
  while (start < source.size()) {
    std::size_t end = source.find("\r\n", start);
    std::string line = source.substr(start, end - start);
    start = end + 2;
    if (line.starts_with("#")) continue;
    std::size_t comma = line.find(',');
    entries[comma / 2 - 1].push_back({line.substr(0, comma), line.substr(comma + 1)});
  }
  CompiledDictionary compiled = CompileDictionary(entries);
  EXPECT_TRUE(compiled.ok());
  WriteFile(dir / "main.dic", compiled.bytes);
  common::WorkDir work(dir / "work");
  std::filesystem::create_directory(work.Dir());
  WriteFile(work.File(common::kNonRubyMarked), Sjis(text));
  RecordingMessenger messenger;
  common::Progress progress(messenger);
  engine::DictionaryRunOptions options{.input = common::kNonRubyMarked,
                                       .dictionary = dir / "main.dic"};
  EXPECT_EQ(engine::RunDictionary(work, options, progress, messenger), engine::RunStatus::kOk);
  return common::Cp932ToUtf8(ReadFile(work.File(common::kCleanedUp))).value_or("");
}

TEST_F(MainSourceTest, SuruNounOutlastsTheVerbFormOfItsLastKanji) {
  // 了する (three characters) is matched before 終了 (two) unless 終了する is a word too; 終
  // alone would then read おわり. (了 alone reads さとる, so 了する is a word of its own.)
  WriteUnidic(UnidicRow("終了", 3000, "名詞,普通名詞,サ変可能", "*", "シュウリョウ") +
              UnidicRow("終", 2000, "名詞,普通名詞,一般", "*", "オワリ") +
              UnidicRow("了", 2000, "名詞,固有名詞,人名", "*", "サトル") +
              UnidicRow("了する", 6000, "動詞,一般,*", "サ行変格", "リョウスル") +
              UnidicRow("了し", 6000, "動詞,一般,*", "サ行変格", "リョウシ") +
              UnidicRow("了しよう", 6000, "動詞,一般,*", "サ行変格", "リョウシヨウ"));
  ASSERT_TRUE(WriteMainSource(inputs_, pre_, report_, messenger_));
  EXPECT_EQ(RubyWith(ReadFile(pre_), "終了する。終了しよう。終わり\n", dir_),
            "{終/しゅう}{了/りょう}する。{終/しゅう}{了/りょう}しよう。{終/おわり}わり\r\n");
}

TEST_F(MainSourceTest, IpadicServesWhenUnidicIsNotGiven) {
  std::filesystem::create_directory(dir_ / "ipadic");
  WriteFile(dir_ / "ipadic" / "Noun.csv",
            EucJp("漢字,1285,1285,3000,名詞,一般,*,*,*,*,漢字,カンジ,カンジ\n"
                  "漢,1285,1285,2000,名詞,一般,*,*,*,*,漢,カラ,カラ\n"));
  inputs_.ipadic_dir = dir_ / "ipadic";
  inputs_.unidic_lex = dir_ / "missing.csv";
  ASSERT_TRUE(WriteMainSource(inputs_, pre_, report_, messenger_));
  std::vector<std::string> lines = Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "漢字,かん*じ"), lines.end());
  EXPECT_NE(ReadFile(pre_).find(Sjis("IPAdic")), std::string::npos);
}

TEST_F(MainSourceTest, IpadicCompoundsJoinUnidicsShortUnits) {
  // UniDic reads 今日人 as 今日 + 人; IPAdic's whole words that UniDic lacks join it, but not the
  // names of people and places, nor a word UniDic has (its reading stays: 漢字 かんじ, which the
  // single kanji read alike, goes as redundant), nor an affix.
  WriteUnidic(UnidicRow("今日", 2000, "名詞,普通名詞,副詞可能", "*", "キョウ") +
              UnidicRow("漢字", 3000, "名詞,普通名詞,一般", "*", "カンジ"));
  std::filesystem::create_directory(dir_ / "ipadic");
  WriteFile(dir_ / "ipadic" / "Noun.csv",
            EucJp("今日人,1285,1285,3000,名詞,一般,*,*,*,*,今日人,コンニチジン,コンニチジン\n"
                  "漢字,1285,1285,3000,名詞,一般,*,*,*,*,漢字,カンジジ,カンジジ\n"
                  "一日,1285,1285,3000,名詞,副詞可能,*,*,*,*,一日,ツイタチ,ツイタチ\n"));
  WriteFile(dir_ / "ipadic" / "Noun.name.csv",
            EucJp("今日子,1291,1291,8000,名詞,固有名詞,人名,名,*,*,今日子,キョウコ,キョーコ\n"));
  WriteFile(dir_ / "ipadic" / "Noun.place.csv",
            EucJp("終日,1293,1293,8000,名詞,固有名詞,地域,一般,*,*,終日,ヒネモス,ヒネモス\n"));
  WriteFile(dir_ / "ipadic" / "Suffix.csv",
            EucJp("人日,1300,1300,8000,名詞,接尾,一般,*,*,*,人日,ジンジツ,ジンジツ\n"));
  inputs_.ipadic_dir = dir_ / "ipadic";
  ASSERT_TRUE(WriteMainSource(inputs_, pre_, report_, messenger_));
  std::vector<std::string> lines = Lines();
  auto has = [&lines](std::string_view line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("今日人,こん*にち*じん"));
  EXPECT_TRUE(has("一日,*ついたち"));
  for (std::string_view start : {"漢字,かんじじ", "今日子,", "終日,", "人日,"}) {
    EXPECT_FALSE(std::any_of(lines.begin(), lines.end(), [start](const std::string& line) {
      return line.starts_with(start);
    })) << start;
  }
  EXPECT_NE(ReadFile(pre_).find(Sjis("複合語 IPAdic")), std::string::npos);
}

TEST_F(MainSourceTest, WithoutAnyLexiconNothingIsWritten) {
  inputs_.unidic_lex = dir_ / "missing.csv";
  EXPECT_FALSE(WriteMainSource(inputs_, pre_, report_, messenger_));
  ASSERT_EQ(messenger_.records.size(), 1u);
  EXPECT_EQ(messenger_.records[0].text, messages::kNoLexicon);
  EXPECT_FALSE(std::filesystem::exists(pre_));
}

TEST_F(MainSourceTest, FaultyOverrideLineIsNamedAndNothingIsWritten) {
  WriteUnidic(UnidicRow("漢字", 3000, "名詞,普通名詞,一般", "*", "カンジ"));
  WriteFile(dir_ / "data" / std::string(kOverrideTableName), "# overrides\n人,ニン\n");
  EXPECT_FALSE(WriteMainSource(inputs_, pre_, report_, messenger_));
  ASSERT_EQ(messenger_.records.size(), 1u);
  EXPECT_NE(messenger_.records[0].text.find("2行目"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(pre_));
}

TEST_F(MainSourceTest, OverrideLineThatDoesNotFitItsWordIsReportedAsTheTablesFault) {
  // 人 is the only ruby target of 人の, so a reading split in two cannot be laid over it.
  WriteUnidic(UnidicRow("漢字", 3000, "名詞,普通名詞,一般", "*", "カンジ"));
  WriteFile(dir_ / "data" / std::string(kOverrideTableName), "人の,ひと*の\n人が,ひと\n");
  ASSERT_TRUE(WriteMainSource(inputs_, pre_, report_, messenger_));
  std::vector<std::string> lines = Lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "人が,ひと"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "人の,ひと"), lines.end());
  ASSERT_EQ(report_.dropped.size(), 1u);
  EXPECT_EQ(report_.dropped[0],
            "手直しの表の行で読みが語に合わないもの（表の誤り） 1行（例：人の）");
}

TEST_F(MainSourceTest, TargetThatCannotBeReplacedLeavesNoTemporaryFile) {
  WriteUnidic(UnidicRow("漢字", 3000, "名詞,普通名詞,一般", "*", "カンジ"));
  std::filesystem::path folder = dir_ / "dic";
  std::filesystem::create_directories(folder / "Qv_Body.pre");  // a folder where the file goes
  EXPECT_FALSE(WriteMainSource(inputs_, folder / "Qv_Body.pre", report_, messenger_));
  EXPECT_TRUE(std::filesystem::is_directory(folder / "Qv_Body.pre"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
  ASSERT_EQ(messenger_.records.size(), 1u);
  EXPECT_EQ(messenger_.records[0].title, messages::kTitleGenerator);
}

TEST_F(MainSourceTest, MissingFolderIsReported) {
  WriteUnidic(UnidicRow("漢字", 3000, "名詞,普通名詞,一般", "*", "カンジ"));
  EXPECT_FALSE(WriteMainSource(inputs_, dir_ / "no" / "Qv_Body.pre", report_, messenger_));
  ASSERT_EQ(messenger_.records.size(), 1u);
  EXPECT_NE(messenger_.records[0].text.find("Qv_Body.pre"), std::string::npos);
}

}  // namespace
}  // namespace dicgen
