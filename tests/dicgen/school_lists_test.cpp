// The readings a lexicon's words give each kanji, and the grade list and level lists made from
// KANJIDIC entries with them, read back by the grade and level builders' own parsers.
#include "dicgen/school_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "dicgen/kana.h"
#include "dictionary/grade_dictionary_format.h"
#include "dictionary/grade_source.h"
#include "dictionary/level_source.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace dicgen {
namespace {

using dictionary::CollectLevelEntries;
using dictionary::GradeBuildStatus;
using dictionary::GradeSource;
using dictionary::kGradeReadingAreaSize;
using dictionary::LevelEntry;
using dictionary::ParseGradeSource;
using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::Sjis;

constexpr int kLevelTen = 11;   // q10.txt
constexpr int kLevelEight = 9;  // q8.txt
constexpr int kLevelTwo = 2;    // q2.txt
constexpr int kLevelOne = 0;    // q1.txt

KanjiEntry Kanji(std::string kanji, int grade, std::vector<std::string> on,
                 std::vector<std::string> kun, std::vector<std::string> nanori = {}) {
  return {std::move(kanji), grade, 0, std::move(on), std::move(kun), std::move(nanori)};
}

std::uint16_t Code(std::string_view utf8) {
  std::string sjis = Sjis(utf8);
  return static_cast<std::uint16_t>(static_cast<unsigned char>(sjis[0]) << 8 |
                                    static_cast<unsigned char>(sjis[1]));
}

// The lines that are not comments, as the grade builder reads them.
std::string EntryLines(std::string_view bytes) {
  std::string lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    std::string_view line = bytes.substr(start, end + 1 - start);
    if (line.front() != '#') lines += line;
    start = end + 1;
  }
  return lines;
}

bool Contains(const std::vector<std::string>& lines, std::string_view part) {
  for (const std::string& line : lines) {
    if (line.find(part) != std::string::npos) return true;
  }
  return false;
}

// KANJIDIC's readings of the kanji that the lexicon rows below use, for their alignment.
std::vector<KanjiEntry> AlignmentKanji() {
  return {Kanji("書", 2, {"しょ"}, {"か.く"}), Kanji("道", 2, {"どう"}, {"みち"}),
          Kanji("茂", 0, {"も"}, {"しげ.る"}), Kanji("三", 1, {"さん", "ぞう"}, {"み", "みっ.つ"}),
          Kanji("今", 2, {"こん"}, {"いま"}),  Kanji("日", 1, {"にち"}, {"ひ", "-か"})};
}

LexiconRow Row(std::u32string surface, std::u32string reading, bool proper_noun = false) {
  LexiconRow row;
  row.surface = std::move(surface);
  row.reading = std::move(reading);
  row.proper_noun = proper_noun;
  return row;
}

TEST(LexiconUsage, FormsOfOneWordCountOnce) {
  ReadingUsage usage =
      CountLexiconUsage({Row(U"書く", U"かく"), Row(U"書か", U"かか"), Row(U"書き", U"かき"),
                         Row(U"書道", U"しょどう"), Row(U"三日", U"みっか")},
                        AlignmentKanji());
  EXPECT_EQ(usage.general[Code("書")],
            (std::map<std::string, int>{{Sjis("か"), 1}, {Sjis("しょ"), 1}}));
  EXPECT_EQ(usage.general[Code("三")][Sjis("みっ")], 1);
  EXPECT_EQ(usage.general[Code("日")][Sjis("か")], 1);
}

TEST(LexiconUsage, NamesCountApartAndGroupRubyForNone) {
  ReadingUsage usage = CountLexiconUsage(
      {Row(U"茂三", U"しげぞう", true), Row(U"今日", U"きょう"), Row(U"今", U"いま")},
      AlignmentKanji());
  EXPECT_EQ(usage.names[Code("三")][Sjis("ぞう")], 1);
  EXPECT_FALSE(usage.general.contains(Code("三")));
  EXPECT_FALSE(usage.general.contains(Code("日")));  // きょう reads 今日, not 日
  EXPECT_EQ(usage.general[Code("今")], (std::map<std::string, int>{{Sjis("いま"), 1}}));
}

class GradeListTest : public ::testing::Test {
 protected:
  void Use(std::string_view kanji, std::string_view reading, int words) {
    usage_.general[Code(kanji)][Sjis(reading)] = words;
  }
  ReadingUsage usage_;
};

TEST_F(GradeListTest, UsedReadingsAndTheirSoundFormsMostUsedFirst) {
  std::vector<KanjiEntry> kanjidic = {
      Kanji("悪", 3, {"あく", "お"}, {"わる.い", "ああ"}),
      Kanji("一", 1, {"いち", "いつ"}, {"ひと-", "ひと.つ"}, {"かず"}),
      Kanji("亜", 8, {"あ"}, {}),
      Kanji("学", 1, {"がく"}, {"まな.ぶ"}),
  };
  Use("一", "いち", 50);
  Use("一", "いっ", 30);
  Use("一", "ひと", 40);
  Use("一", "いつ", 1);   // too rare
  Use("一", "かず", 90);  // a name reading
  Use("悪", "あく", 20);
  Use("悪", "わる", 20);
  Use("悪", "あっ", 2);
  Use("学", "がっ", 9);
  Use("学", "まな", 3);
  GradeList list = MakeGradeList(kanjidic, usage_);
  EXPECT_TRUE(BytesEqual(Sjis("1\t一\t1\tいち\tひと\tいっ\r\n"
                              "2\t学\t1\tがっ\tまな\r\n"
                              "3\t悪\t3\tあく\tわる\tあっ\r\n"),
                         EntryLines(list.bytes)));
  EXPECT_EQ(list.kanji_count, 3);
  EXPECT_TRUE(Contains(
      list.report, "一般語の2語未満でしか使われていない読み 4個（例：一/いつ、学/がく、悪/お）"))
      << list.report[2];
  EXPECT_TRUE(Contains(list.report, "KANJIDICの教育漢字（G1〜G6）が3字あります"));
}

// 潟 is taught for 新潟: the names' readings stand in for the general words' ones.
TEST_F(GradeListTest, KanjiOnlyNamesUseTakesTheNamesReadings) {
  usage_.names[Code("潟")][Sjis("がた")] = 5;
  usage_.names[Code("潟")][Sjis("かた")] = 3;
  GradeList list =
      MakeGradeList({Kanji("潟", 4, {"せき"}, {"かた"}), Kanji("胃", 6, {"い"}, {})}, usage_);
  EXPECT_EQ(EntryLines(list.bytes), Sjis("1\t潟\t4\tがた\tかた\r\n2\t胃\t6\tい\r\n"));
  EXPECT_TRUE(Contains(list.report, "固有名詞の読みを入れた漢字 1字（例：潟）"));
  EXPECT_TRUE(Contains(list.report, "だけを入れた漢字 1字（例：胃）"));
}

// Readings that overflow the reading area go by use, but a kanji with many words (numerals,
// say) gives up its later readings before another gives up its second.
TEST_F(GradeListTest, ReadingsFitTheGradeDictionaryFromEachKanjisLastReadings) {
  const std::vector<std::string> readings = {"あいうえお", "かきくけこ", "さしすせそ", "たちつてと",
                                             "なにぬねの", "はひふへほ", "まみむめも"};
  const std::vector<int> heavy = {5000, 3000, 2000, 1000, 900, 800, 700};
  const std::vector<int> light = {10, 3};
  std::vector<KanjiEntry> kanjidic;
  for (char32_t kanji = U'亜'; kanjidic.size() < 300; ++kanji) {
    std::string utf8 = EncodeUtf8(std::u32string(1, kanji));
    if (!common::Utf8ToCp932(utf8)) continue;
    const std::vector<int>& words = kanjidic.size() % 2 == 0 ? heavy : light;
    kanjidic.push_back(Kanji(utf8, 1, {readings.begin(), readings.begin() + words.size()}, {}));
    for (std::size_t r = 0; r < words.size(); ++r) Use(utf8, readings[r], words[r]);
  }
  GradeList list = MakeGradeList(kanjidic, usage_);
  GradeSource parsed = ParseGradeSource(list.bytes);
  ASSERT_EQ(parsed.status, GradeBuildStatus::kOk);
  ASSERT_EQ(parsed.entries.size(), kanjidic.size());
  EXPECT_LE(parsed.reading_bytes, static_cast<int>(kGradeReadingAreaSize));
  EXPECT_GT(parsed.reading_bytes, static_cast<int>(kGradeReadingAreaSize) - 6);
  for (std::size_t k = 0; k < parsed.entries.size(); ++k) {
    const std::vector<std::string>& kept = parsed.entries[k].readings;
    ASSERT_GE(kept.size(), 2u) << k;
    EXPECT_EQ(kept[0], Sjis(readings[0]));
    EXPECT_EQ(kept[1], Sjis(readings[1]));
  }
  EXPECT_TRUE(Contains(list.report, "読みの領域に収めるために除いた"));
}

TEST(LevelLists, SchoolGradesAndKanjidicsGroupsGoToTheirLevels) {
  LevelLists lists = MakeLevelLists({
      Kanji("一", 1, {"いち"}, {}),
      Kanji("悪", 3, {"あく"}, {}),
      Kanji("亜", 8, {"あ"}, {}),
      Kanji("唖", 0, {"あ"}, {}),
      Kanji("丑", 9, {"ちゅう"}, {}),
  });
  std::vector<LevelEntry> entries = CollectLevelEntries(lists.bytes);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].kanji, Code("丑"));
  EXPECT_EQ(entries[0].level_index, kLevelOne);
  EXPECT_EQ(entries[1].kanji, Code("亜"));
  EXPECT_EQ(entries[1].level_index, kLevelTwo);
  EXPECT_EQ(entries[2].kanji, Code("悪"));
  EXPECT_EQ(entries[2].level_index, kLevelEight);
  EXPECT_EQ(entries[3].kanji, Code("一"));
  EXPECT_EQ(entries[3].level_index, kLevelTen);
  EXPECT_EQ(lists.kanji_count, 4);
  // A level that no list separates holds a comment that says where its kanji are.
  EXPECT_TRUE(lists.bytes[5].starts_with(Sjis("# 漢検４級：")));
  EXPECT_NE(lists.bytes[5].find("q2.txt"), std::string::npos);
}

TEST(SchoolLists, WrittenIntoDicAndQFile) {
  testing_support::ScratchDir home;
  common::ProgramDir program(home.Path());
  std::filesystem::create_directories(program.DicDir());
  testing_support::RecordingMessenger messenger;
  GradeList grades;
  grades.bytes = Sjis("1\t一\t1\tいち\r\n");
  LevelLists levels;
  levels.bytes[kLevelTen] = Sjis("一\r\n");
  ASSERT_TRUE(WriteSchoolLists(program, grades, levels, messenger));
  EXPECT_EQ(ReadFile(program.GradeSource()), grades.bytes);
  EXPECT_EQ(ReadFile(program.LevelSourceDir() / "q10.txt"), levels.bytes[kLevelTen]);
  EXPECT_TRUE(std::filesystem::exists(program.LevelSourceDir() / "qj1.txt"));
  EXPECT_TRUE(messenger.records.empty());
}

TEST(SchoolLists, UnwritableDicIsReportedOnce) {
  testing_support::ScratchDir home;
  common::ProgramDir program(home.Path());
  testing_support::WriteFile(program.DicDir(), "not a folder");
  testing_support::RecordingMessenger messenger;
  EXPECT_FALSE(WriteSchoolLists(program, GradeList{}, LevelLists{}, messenger));
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_NE(messenger.records[0].text.find("教育漢字.txt"), std::string::npos);
}

}  // namespace
}  // namespace dicgen
