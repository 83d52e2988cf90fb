#include "engine/filters/grade_filter.h"

#include <gtest/gtest.h>

#include <map>

#include "common/encoding/sjis.h"
#include "engine/filters/grade_allocation.h"
#include "engine/filters/jukujikun_list.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

// A few education kanji with their school readings, as the grade dictionary gives them.
class GradeAllocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Add("一", 1, {"いち", "ひと"});
    Add("日", 1, {"にち", "ひ"});
    Add("図", 2, {"ず", "と"});
    Add("漢", 3, {"かん"});
  }
  void Add(std::string_view kanji, int grade, std::initializer_list<std::string_view> readings) {
    std::string bytes = Sjis(kanji);
    dictionary::GradeEntry entry;
    entry.kanji =
        common::CodeOf(static_cast<unsigned char>(bytes[0]), static_cast<unsigned char>(bytes[1]));
    entry.grade_code = static_cast<std::uint16_t>(GradeCodeOf(grade));
    for (std::string_view reading : readings) entry.readings.push_back(Sjis(reading));
    entries_[entry.kanji] = entry;
  }
  std::string Allocate(std::string_view utf8, bool compound_check = false) {
    GradeSources sources{.find = [this](std::uint16_t kanji) -> const dictionary::GradeEntry* {
                           auto found = entries_.find(kanji);
                           return found == entries_.end() ? nullptr : &found->second;
                         },
                         .jukujikun = list_,
                         .compound_check = compound_check};
    return AllocateGradesOfText(Sjis(utf8), sources);
  }

  std::map<std::uint16_t, dictionary::GradeEntry> entries_;
  JukujikunList list_;
};

TEST_F(GradeAllocationTest, SchoolReadingsAndListedJukujikunGetTheirGradeCode) {
  struct Case {
    const char* what;
    std::string_view list;  // the jukujikun list
    bool compound_check;
    std::string_view text, expected;
  };
  const Case cases[] = {
      // Another reading or a group with alternatives gets no code.
      {"school readings", "", false, "{漢/かん}{一/ひと}つ{薔/ばら}{漢/から}{一/いち|ひと}\n",
       "{6999漢/かん}{2999一/ひと}つ{薔/ばら}{漢/から}{一/いち|ひと}\n"},
      {"図's trail byte is a brace", "", false, "{図/ず}{図書/としょ}",
       "{4999図/ず}{図書/としょ}"},
      {"jukujikun take the list's grade",
       "# 小学校で習う熟字訓\n今日/きょう,2\n>日/か,1\n明日/あす,2 # 最後の行", false,
       "{今日/きょう}{明日/あす}{日/か}{昨日/きのう}",
       "{4999今日/きょう}{4999明日/あす}{日/か}{昨日/きのう}"},
      // The compound check looks up only the marked entries for one kanji.
      {"compound check", ">日/か,1\n漢/おとこ,2\n", true, "{日/か}{漢/おとこ}",
       "{2999日/か}{漢/おとこ}"},
      {"no compound check", ">日/か,1\n", false, "{日/か}", "{日/か}"},
      {"match inside a longer entry", "二日/ふつか,1\n今日/きょうだい,3\n", true,
       "{日/ふつか}{今日/きょう}", "{日/ふつか}{今日/きょう}"},
      {"base beginning with a digit", "2日/ふつか,3\n", false, "{1月/いちがつ}{2日/ふつか}",
       "{222221月/いちがつ}{069992日/ふつか}"},
      {"areas and unclosed groups", "", false, "\x11{漢/かん}\x12{漢/かん}{漢/か",
       "\x11{漢/かん}\x12{6999漢/かん}{漢/か"},
  };
  for (const Case& c : cases) {
    list_.SetText(Sjis(c.list));
    EXPECT_TRUE(BytesEqual(Sjis(c.expected), Allocate(c.text, c.compound_check))) << c.what;
  }
}

std::string Filter(std::string_view utf8, GradeRubyOptions options) {
  return FilterGradesOfText(Sjis(utf8), options);
}

// The list may be kept in UTF-8; one with a character Shift_JIS lacks is named and left empty.
TEST(JukujikunListFile, Utf8ListIsReadAsTheShiftJisOne) {
  ScratchDir dir;
  RecordingMessenger messenger;
  JukujikunList list;
  WriteFile(dir / "utf8.txt", "# 熟字訓\n今日/きょう,2\n");
  ASSERT_TRUE(list.Load(dir / "utf8.txt", messenger));
  EXPECT_EQ(list.GradeOf(Sjis("今日/きょう"), false), 2);
  EXPECT_TRUE(messenger.records.empty());

  WriteFile(dir / "lacking.txt", "今日/きょう,2\n𠮟る/しかる,4\n");
  EXPECT_TRUE(list.Load(dir / "lacking.txt", messenger));
  EXPECT_EQ(list.GradeOf(Sjis("今日/きょう"), false), std::nullopt);
  ASSERT_EQ(messenger.records.size(), 1u);
  EXPECT_NE(messenger.records[0].text.find("2 行 1 字目の文字<𠮟>"), std::string::npos);
}

TEST(GradeFilter, EachRangeKindKeepsItsGroupsWithTheirTags) {
  struct Case {
    GradeRubyOptions options;
    std::string_view text, filtered;
  };
  const Case cases[] = {
      {{.range_kind = 0, .lower_grade = 3}, "{6999漢/かん}{4999国/くに}{薔/ばら}", "{漢/かん}国薔"},
      // Grade and above keeps the kanji without a code.
      {{.range_kind = 2, .lower_grade = 5},
       "{2999一/いち}{8999熊/くま}{10999織/しき}{12999誌/し}{薔/ばら}",
       "一熊{織/しき}{誌/し}{薔/ばら}"},
      {{.range_kind = 3, .lower_grade = 2},
       "{2999一/いち}{4999国/くに}{6999漢/かん}{薔/ばら}",
       "{一/いち}{国/くに}漢薔"},
      // Education kanji only drops everything without a code.
      {{.range_kind = 4},
       "{2999一/いち}{12999誌/し}{薔/ばら}{今日/きょう}",
       "{一/いち}{誌/し}薔今日"},
      {{.range_kind = 2, .lower_grade = 3, .tag = true},
       "{6999漢/かん}{薔/ばら}{2999一/いち}",
       "@[教3年]{漢/かん}@[教外]{薔/ばら}一"},
      // 図's trail byte is a brace, which ends no group.
      {{.range_kind = 0, .lower_grade = 2}, "{4999図/ず}{図書/としょ}", "{図/ず}図書"},
      {{.range_kind = 0, .lower_grade = 3}, "{4999図/ず}", "図"},
      // A digit of the base survives behind the no-code mark.
      {{.range_kind = 2, .lower_grade = 1}, "{222221月/いちがつ}", "{1月/いちがつ}"},
      {{.range_kind = 0, .lower_grade = 3}, "{222221月/いちがつ}{069992日/ふつか}", "1月{2日/ふつか}"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(BytesEqual(Sjis(c.filtered), Filter(c.text, c.options))) << c.filtered;
  }
}

TEST(GradeFilter, HeaderAndSummaryStandBeforeTheText) {
  GradeRubyOptions options{.range_kind = 1, .lower_grade = 3, .upper_grade = 5, .header = true};
  EXPECT_TRUE(
      BytesEqual(Sjis("★★★ 3年～5年の配当漢字にルビ\n"
                      "　>>>> 非許容(要るび)の漢字は 2 個ありました <<<<\n　▼　　本　　文　　▼\n"
                      "{漢/かん}{熊/くま}一\n"),
                 Filter("{6999漢/かん}{8999熊/くま}{2999一/いち}\n", options)));
}

TEST(GradeFilter, HeaderLineOfEachRangeKind) {
  auto header = [](int kind) {
    GradeRubyOptions options{.range_kind = kind, .lower_grade = 4, .upper_grade = 6};
    std::string text = GradeHeader(options, 0);
    return text.substr(0, text.find('\n') + 1);
  };
  EXPECT_EQ(header(0), Sjis("★★★ 4年の配当漢字のみにルビ\n"));
  EXPECT_EQ(header(2), Sjis("★★★ 4年以上の配当漢字～全漢字にルビ\n"));
  EXPECT_EQ(header(3), Sjis("★★★ 4年以下の配当漢字全部にルビ\n"));
  EXPECT_EQ(header(4), Sjis("★★★ 教育漢字のみにルビ\n"));
}

TEST(GradeFilter, GroupCutByTheEndOfAChunkIsWhole) {
  // The filter reads its input in blocks of 256 KiB; this group straddles the first boundary.
  std::string padding((1 << 18) - 3, 'a');
  std::string text = padding + Sjis("{6999漢/かん}{4999図/ず}");
  EXPECT_TRUE(BytesEqual(padding + Sjis("{漢/かん}図"),
                         FilterGradesOfText(text, {.range_kind = 0, .lower_grade = 3})));
}

}  // namespace
}  // namespace engine
