#include "dictionary/grade_dictionary.h"

#include <gtest/gtest.h>

#include "common/status.h"
#include "common/encoding/text_encoding.h"
#include "dictionary/build_command.h"
#include "dictionary/grade_source.h"
#include "tests/dictionary/dictionary_fixtures.h"

namespace dictionary {
namespace {

constexpr std::uint16_t kIchi = 0x88EA;  // 一

// A program folder with dic/教育漢字.txt holding `source`.
struct GradeProgram {
  explicit GradeProgram(std::string_view source) {
    fs::create_directories(program.DicDir());
    WriteFile(program.GradeSource(), source);
  }
  GradeBuildResult Build() { return BuildGradeDictionary(program, messenger); }

  ScratchDir dir;
  common::ProgramDir program{dir.Path()};
  RecordingMessenger messenger;
};

std::string OneKanji(std::string_view kanji, std::string_view readings) {
  return Sjis("1\t") + Sjis(kanji) + "\t1\t" + Sjis(readings) + "\r\n";
}

TEST(GradeSource, SchoolReadingsAreStoredAsTrailBytes) {
  GradeSource source = ParseGradeSource(Sjis("1\t一\t1\tいち\tいつ\tひと\n"));
  ASSERT_EQ(source.status, GradeBuildStatus::kOk);
  ASSERT_EQ(source.entries.size(), 1u);
  EXPECT_EQ(source.entries[0].kanji, kIchi);
  EXPECT_EQ(source.entries[0].grade_code, 2999);
  std::string bytes = EncodeGradeDictionary(source.entries);
  EXPECT_TRUE(BytesEqual("\x88\xEA", bytes.substr(0, 2)));
  EXPECT_TRUE(BytesEqual(std::string("\x00\x00\x03\x0B\xB7", 5), bytes.substr(2176, 5)));
  EXPECT_TRUE(BytesEqual(std::string("\xA2\xBF\x00\xA2\xC2\x00\xD0\xC6\x00\x00", 10),
                         bytes.substr(7424, 10)));
  EXPECT_EQ(bytes.size(), 16000u);
}

TEST(GradeSource, FaultyLineIsAnErrorAtItsNumber) {
  struct Case {
    std::string_view source;
    GradeBuildStatus status;
    int line_number;
  };
  const Case cases[] = {
      {"#見出し\n1\t一\t1\tいち\n2\t右\t1\n", GradeBuildStatus::kNoReading, 3},  // comments count
      {"1\n", GradeBuildStatus::kNoKanjiField, 1},
      {"1\t一\n", GradeBuildStatus::kNoGradeField, 1},
      {"1\t一\t7\tいち\n", GradeBuildStatus::kNoGradeField, 1},
      {"1\t一\tx\tいち\n", GradeBuildStatus::kNoGradeField, 1},
  };
  for (const Case& c : cases) {
    GradeSource source = ParseGradeSource(Sjis(c.source));
    EXPECT_EQ(source.status, c.status) << c.source;
    EXPECT_EQ(source.line_number, c.line_number) << c.source;
  }
}

TEST(GradeSource, OneByteFieldAndTabRunsArePassedOver) {
  GradeSource source = ParseGradeSource(Sjis("1\t\t一\t\t1\t \tいち\t\t\tひと\n"));
  ASSERT_EQ(source.status, GradeBuildStatus::kOk);
  ASSERT_EQ(source.entries.size(), 1u);
  EXPECT_EQ(source.entries[0].readings.size(), 2u);
  EXPECT_EQ(source.reading_bytes, 6);
}

// Comment lines are skipped, and a last line without a line break keeps its last reading.
TEST(GradeSource, CommentLinesAndTheLastLineBreakAreNotNeeded) {
  GradeSource source =
      ParseGradeSource(Sjis("#1\t一\t1\tいち\n\t1\t右\t1\tみぎ\n1\t雨\t1\tあめ\tひと"));
  ASSERT_EQ(source.status, GradeBuildStatus::kOk);
  ASSERT_EQ(source.entries.size(), 1u);
  EXPECT_EQ(source.entries[0].kanji, 0x894A);
  EXPECT_EQ(source.entries[0].readings, (std::vector<std::string>{Sjis("あめ"), Sjis("ひと")}));
}

TEST(GradeDictionaryBuild, Utf8ListWithACharacterShiftJisLacksBuildsNothing) {
  GradeProgram dir(common::FromShiftJis(OneKanji("一", "いち"), common::TextEncoding::kUtf8) +
                   "1\t𠮟\t1\tしか\r\n");
  WriteFile(dir.program.GradeDictionary(), "old");
  EXPECT_EQ(dir.Build().status, GradeBuildStatus::kUnencodable);
  ASSERT_TRUE(ShowedOnly(dir.messenger, "ご注意!!",
                         "<" + dir.program.GradeSource().string() +
                             ">の 2 行 3 字目の文字<𠮟>は Shift_JIS にありません。\n"
                             "この一覧は読みませんでした。"));
  EXPECT_EQ(ReadFile(dir.program.GradeDictionary()), "old");
}

TEST(GradeDictionaryBuild, MissingSourceIsRefused) {
  GradeProgram dir("");
  fs::remove(dir.program.GradeSource());
  EXPECT_EQ(dir.Build().status, GradeBuildStatus::kSourceMissing);
  ASSERT_TRUE(ShowedOnly(dir.messenger, "ご注意!!", "教育漢字.txt がオープンできません！"));
}

TEST(GradeDictionaryBuild, FaultyLineWritesNothingAndKeepsTheOldDictionary) {
  GradeProgram dir(OneKanji("一", "いち") + Sjis("2\t右\t1\r\n"));
  WriteFile(dir.program.GradeDictionary(), "old");
  GradeBuildResult result = dir.Build();
  EXPECT_EQ(result.status, GradeBuildStatus::kNoReading);
  EXPECT_EQ(result.kanji_count, 0);
  ASSERT_TRUE(ShowedOnly(dir.messenger, "", "2行目でエラー発生。データを確認してください。"));
  EXPECT_EQ(ReadFile(dir.program.GradeDictionary()), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.program.DicDir()), {}), 2);
}

// The filter reads as many entries as the settings record: a dictionary whose count cannot be
// saved would be read with the old count, so the old dictionary stays. A read-only file and one
// that cannot be read (a folder in its place, which no permission lets through) are refused.
TEST(GradeDictionaryBuild, SettingsThatCannotBeSavedKeepTheOldDictionary) {
  for (bool read_only : {true, false}) {
    GradeProgram dir(OneKanji("一", "いち"));
    WriteFile(dir.program.GradeDictionary(), "old");
    if (read_only) {
      WriteFile(dir.program.SettingsFile(), "[DICTIONARY]\r\nH_KANJISUU=1026\r\n");
      fs::permissions(dir.program.SettingsFile(), fs::perms::owner_write, fs::perm_options::remove);
    } else {
      fs::create_directories(dir.program.SettingsFile());
    }
    EXPECT_EQ(dir.Build().status, GradeBuildStatus::kSettingsUnwritable);
    EXPECT_EQ(ReadFile(dir.program.GradeDictionary()), "old");
    EXPECT_FALSE(fs::exists(dir.program.DicDir() / "HaitouNen.di$"));
    ASSERT_TRUE(ShowedOnly(dir.messenger, "",
                           "設定ファイル<" + dir.program.SettingsFile().string() +
                               ">に書き込めません。\n漢字の数 H_KANJISUU を記録できないため、"
                               "HaitouNen.dic は作りませんでした。"));
  }
}

TEST(GradeDictionaryBuild, MoreKanjiThanTheLayoutHoldsAreRefused) {
  std::string source;
  for (int i = 0; i < 1049; ++i) source += OneKanji("一", "い");
  GradeProgram dir(source);
  GradeBuildResult result = dir.Build();
  ASSERT_EQ(result.status, GradeBuildStatus::kOk);  // exactly the layout's kanji fit
  EXPECT_EQ(result.kanji_count, 1049);
  GradeDictionary loaded;
  EXPECT_TRUE(loaded.Load(dir.program.GradeDictionary(), 1049, dir.messenger));
  WriteFile(dir.program.GradeSource(), source + OneKanji("一", "い"));
  fs::remove(dir.program.GradeDictionary());
  EXPECT_EQ(dir.Build().status, GradeBuildStatus::kOverLimit);
  ASSERT_TRUE(ShowedOnly(
      dir.messenger, "",
      "教育漢字.txt の漢字が 1050 字あります。\n配当学年辞書に入る漢字は 1049 字までです。"));
  EXPECT_FALSE(fs::exists(dir.program.GradeDictionary()));
}

TEST(GradeDictionaryBuild, MoreReadingBytesThanTheAreaHoldsAreRefused) {
  // 240 readings of five kana take 240 × 6 = 1440 bytes: five such kanji fill the area.
  std::string readings;
  for (int i = 0; i < 240; ++i) readings += Sjis("いちにさん\t");
  std::string source;
  for (int i = 0; i < 5; ++i) source += Sjis("1\t一\t1\t") + readings + "\r\n";
  GradeProgram dir(source);
  ASSERT_EQ(dir.Build().status, GradeBuildStatus::kOk);
  source += Sjis("1\t右\t1\tみぎ\r\n");
  WriteFile(dir.program.GradeSource(), source);
  fs::remove(dir.program.GradeDictionary());
  EXPECT_EQ(dir.Build().status, GradeBuildStatus::kOverLimit);
  ASSERT_TRUE(ShowedOnly(dir.messenger, "",
                         "教育漢字.txt の読みが合わせて 7203 バイトあります。\n"
                         "配当学年辞書に入る読みは 7200 バイトまでです。"));
  EXPECT_FALSE(fs::exists(dir.program.GradeDictionary()));
}

TEST(GradeDictionaryLoad, FindsKanjiGradesAndReadings) {
  RecordingMessenger messenger;
  GradeDictionary dictionary;
  ASSERT_TRUE(dictionary.Load(TestData("dictionary/grade_small/HaitouNen.dic"), 4, messenger));
  EXPECT_EQ(dictionary.KanjiCount(), 4);
  const GradeEntry* hiku = dictionary.Find(0x88F8);  // 引
  ASSERT_NE(hiku, nullptr);
  EXPECT_EQ(hiku->grade_code, 4999);
  EXPECT_EQ(hiku->readings, (std::vector<std::string>{Sjis("いん"), Sjis("ひ")}));
  EXPECT_EQ(dictionary.Find(0x8ABF), nullptr);
  // A count larger than the one built reads records of zeros.
  ASSERT_TRUE(dictionary.Load(TestData("dictionary/grade_small/HaitouNen.dic"), 1026, messenger));
  ASSERT_NE(dictionary.Find(kIchi), nullptr);
  EXPECT_EQ(dictionary.Find(kIchi)->readings.size(), 3u);
}

// A count the layout cannot hold blames the setting, and an intact dictionary is not called
// damaged; a damaged one is named.
TEST(GradeDictionaryLoad, CountBeyondTheLayoutAndShortFileAreRefusedEachWithItsCause) {
  for (int count : {1050, -1}) {
    RecordingMessenger messenger;
    GradeDictionary dictionary;
    EXPECT_FALSE(
        dictionary.Load(TestData("dictionary/grade_small/HaitouNen.dic"), count, messenger));
    ASSERT_TRUE(ShowedOnly(messenger, "大事なご報告",
                           "設定 DICTIONARY/H_KANJISUU の値 " + std::to_string(count) +
                               " は 0 から 1049 までの範囲にありません。\n"
                               "設定ファイルを確かめてください。"));
    EXPECT_EQ(dictionary.Find(kIchi), nullptr);
  }
  ScratchDir dir;
  WriteFile(dir / "HaitouNen.dic",
            ReadFile(TestData("dictionary/grade_small/HaitouNen.dic")).substr(0, 100));
  RecordingMessenger messenger;
  GradeDictionary dictionary;
  for (const char* name : {"HaitouNen.dic", "missing.dic"}) {
    messenger.records.clear();
    EXPECT_FALSE(dictionary.Load(dir / name, 10, messenger));
    ASSERT_TRUE(ShowedOnly(messenger, "大事なご報告",
                           "配当学年辞書<" + (dir / name).string() +
                               ">が壊れています。\n配当学年辞書を作り直してください。"));
  }
}

TEST(GradeDictionaryLoad, RecordPointingOutsideTheReadingAreaIsRefused) {
  ScratchDir dir;
  RecordingMessenger messenger;
  std::string bytes = ReadFile(TestData("dictionary/grade_small/HaitouNen.dic"));
  bytes[2176] = '\x1C';  // offset 7199: the area ends after the first of its three readings
  bytes[2177] = '\x1F';
  WriteFile(dir / "bad.dic", bytes);
  bytes[2176] = '\0';
  bytes[2177] = '\0';
  GradeDictionary dictionary;
  EXPECT_FALSE(dictionary.Load(dir / "bad.dic", 4, messenger));
  // A file cut inside the reading area: the last readings lose their end byte.
  WriteFile(dir / "cut.dic", bytes.substr(0, 7450));
  EXPECT_FALSE(dictionary.Load(dir / "cut.dic", 4, messenger));
  EXPECT_TRUE(dictionary.Load(dir / "cut.dic", 3, messenger));
}

}  // namespace
}  // namespace dictionary
