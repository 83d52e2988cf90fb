// The grade, level and line-and-field commands end to end. Golden cases under
// tests/data/engine/<case>/: input.txt and the expected ruby file; the dictionaries and the
// options are those of the fixture below.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "common/program_dir.h"
#include "dictionary/grade_dictionary.h"
#include "dictionary/level_dictionary.h"
#include "engine/ruby_pipeline.h"
#include "tests/engine/engine_fixtures.h"

namespace engine {
namespace {

class FilterCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    common::ProgramDir program(dir_.Path());
    std::filesystem::create_directories(program.LevelSourceDir());
    std::filesystem::create_directories(context_.work.Dir());
    WriteDictionary(context_.main_dictionary,
                    {{"漢字", "かん*じ"}, {"図書", "と*しょ"}, {"薔薇", "ば*ら"}});
    WriteDictionary(context_.user_dictionary, {{"日本", "にっ*ぽん"}});
    WriteFile(program.GradeSource(),
              Sjis("1\t漢\t3\tかん\n2\t字\t1\tじ\n3\t図\t2\tず\tと\n4\t書\t2\tしょ\n"));
    RecordingMessenger builder;
    dictionary::GradeBuildResult grade = dictionary::BuildGradeDictionary(program, builder);
    ASSERT_EQ(grade.status, dictionary::GradeBuildStatus::kOk);
    context_.grade_kanji_count = grade.kanji_count;
    for (const char* list : {"q1.txt", "qj1.txt", "q2.txt", "qj2.txt", "q4.txt", "q5.txt", "q6.txt",
                             "q7.txt", "q8.txt", "q9.txt"}) {
      WriteFile(program.LevelSourceDir() / list, "");
    }
    WriteFile(program.LevelSourceDir() / "q3.txt", Sjis("漢\n"));
    WriteFile(program.LevelSourceDir() / "q10.txt", Sjis("字\n"));
    ASSERT_EQ(dictionary::BuildLevelDictionary(program, builder),
              dictionary::LevelBuildStatus::kOk);
    WriteFile(program.SchoolJukujikunList(), Sjis("今日/きょう,2\n"));
  }

  std::string Input(std::string_view name) {
    return ReadFile(TestData("engine/" + std::string(name) + "/input.txt"));
  }
  std::string Expected(std::string_view name, std::string_view extension) {
    return ReadFile(TestData("engine/" + std::string(name) + "/expected" + std::string(extension)));
  }
  void ExpectAbort(std::string_view step) {
    ASSERT_FALSE(messenger_.records.empty());
    EXPECT_EQ(messenger_.records.back().title, "ご注意!!");
    EXPECT_EQ(messenger_.records.back().text,
              std::string(step) + "の途中で問題が発生しました。\nるび振りは中止します。");
  }

  static constexpr GradeRubyOptions kGrades{
      .range_kind = 1, .lower_grade = 1, .upper_grade = 2, .tag = true, .header = true};
  static constexpr LevelRubyOptions kLevels{
      .range_kind = 3, .first_box = 4, .second_box = 4, .tag = true, .header = true};

  ScratchDir dir_;
  RubyCommandContext context_{.work = common::WorkDir(dir_ / "work"),
                              .document_path = dir_ / "story.txt",
                              .main_dictionary = dir_ / "dic" / "Qv_Body.dic",
                              .user_dictionary = dir_ / "dic" / "Qv_Users.dic",
                              .areas = {},
                              .fault_line = nullptr,
                              .grade_dictionary = dir_ / "dic" / "HaitouNen.dic",
                              .jukujikun_list = dir_ / "dic" / "小学熟字訓.txt",
                              .level_dictionary = dir_ / "dic" / "kanken_Q.dic"};
  RecordingMessenger messenger_;
};

TEST_F(FilterCommandTest, EachKindMatchesItsGoldenFile) {
  struct Case {
    std::string name, extension;
    bool field_flag;
  };
  const Case cases[] = {{"grade_ruby", ".hrb", false},
                        {"level_ruby", ".krb", false},
                        {"line_field_ruby", ".lrb", true}};
  LineFieldOptions fields{.mode = 1, .separator = ",", .field_kind = 0, .first_field = 2};
  for (const Case& c : cases) {
    std::string input = Input(c.name);
    common::StringTextSource text(input);
    RubyCommandResult result =
        c.extension == ".hrb" ? RunGradeRuby(text, kGrades, context_, messenger_)
        : c.extension == ".krb"
            ? RunLevelRuby(text, kLevels, context_, messenger_)
            : RunLineFieldRuby(text, fields, DictionaryUse::kMainOnly, context_, messenger_);
    ASSERT_EQ(result.status, RubyCommandStatus::kOk) << c.name;
    EXPECT_EQ(result.ruby_file, dir_ / ("story" + c.extension));
    EXPECT_EQ(result.field_flag, c.field_flag);
    EXPECT_TRUE(messenger_.records.empty());
    EXPECT_TRUE(BytesEqual(Expected(c.name, c.extension), ReadFile(result.ruby_file)));
    EXPECT_TRUE(std::filesystem::is_empty(context_.work.Dir()));
  }
}

// A word met before loses its ruby before the filters see it, so the grade tag goes with it and
// the summary counts the groups that kept theirs.
TEST_F(FilterCommandTest, FirstOccurrenceIsKeptBeforeTheFilter) {
  std::string input = Sjis("図書と図書\n漢字と漢字\n");
  common::StringTextSource text(input);
  context_.first_ruby = FirstRubyScope::kDocument;
  RubyCommandResult result = RunGradeRuby(text, kGrades, context_, messenger_);
  ASSERT_EQ(result.status, RubyCommandStatus::kOk);
  EXPECT_TRUE(
      BytesEqual(Sjis("★★★ 1年～2年の配当漢字にルビ\r\n"
                      "　>>>> 非許容(要るび)の漢字は 3 個ありました <<<<\r\n"
                      "　▼　　本　　文　　▼\r\n"
                      "@[教2年]{図/と}@[教2年]{書/しょ}と図書\r\n漢@[教1年]{字/じ}と漢字\r\n"),
                 ReadFile(result.ruby_file)));
  EXPECT_TRUE(std::filesystem::is_empty(context_.work.Dir()));
}

TEST_F(FilterCommandTest, RefusedOptionsWriteNothing) {
  std::string input = Sjis("漢字\n");
  common::StringTextSource text(input);
  GradeRubyOptions reversed{.range_kind = 1, .lower_grade = 4, .upper_grade = 2};
  EXPECT_EQ(RunGradeRuby(text, reversed, context_, messenger_).status, RubyCommandStatus::kRefused);
  ASSERT_EQ(messenger_.records.size(), 1u);
  EXPECT_EQ(messenger_.records[0].title, "ご確認！");
  EXPECT_TRUE(std::filesystem::is_empty(context_.work.Dir()));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "story.hrb"));
}

TEST_F(FilterCommandTest, MissingJukujikunListIsReportedAndTheCommandGoesOn) {
  std::filesystem::remove(dir_ / "dic" / "小学熟字訓.txt");
  std::string input = Input("grade_ruby");
  common::StringTextSource text(input);
  RubyCommandResult result = RunGradeRuby(text, kGrades, context_, messenger_);
  EXPECT_EQ(result.status, RubyCommandStatus::kOk);
  EXPECT_TRUE(
      ShowedOnly(messenger_, "大事なご報告",
                 "<小学熟字訓.txt> が読み込めない。!! \n\ndicフォルダーを確認して下さい。"));
  EXPECT_TRUE(BytesEqual(Expected("grade_ruby", ".hrb"), ReadFile(result.ruby_file)));
}

// Each broken piece stops the command at its step, after the piece's own message if it has one.
TEST_F(FilterCommandTest, BrokenPieceAbortsItsStep) {
  enum class Kind { kGrade, kLevel, kLineField };
  struct Case {
    Kind kind;
    std::function<void()> break_it;
    std::size_t messages;
    std::string first_message, step;
  };
  auto remove = [](std::filesystem::path path) {
    return [path] { std::filesystem::remove(path); };
  };
  auto block = [this](std::string_view name) {
    return [this, name] { std::filesystem::create_directory(context_.work.File(name)); };
  };
  const Case cases[] = {
      {Kind::kGrade, remove(context_.grade_dictionary), 2,
       "配当学年辞書<" + context_.grade_dictionary.string() +
           ">が壊れています。\n配当学年辞書を作り直してください。",
       "配当学年の割り当て"},
      {Kind::kGrade, block(common::kGradeFiltered), 1, "", "学年によるるびの選別"},
      {Kind::kGrade, remove(context_.main_dictionary), 2, "", "辞書によるるび振り"},
      {Kind::kLevel, remove(context_.level_dictionary), 2,
       "漢検級辞書<" + context_.level_dictionary.string() +
           ">が壊れています。\n漢検級辞書を作り直してください。",
       "レベルによるるびの選別"},
      {Kind::kLineField, block(common::kLineFieldMarked), 1, "", "行・欄るびの印付け"},
  };
  std::string input = Sjis("漢字\n");
  for (const Case& c : cases) {
    std::filesystem::remove_all(context_.work.Dir());
    SetUp();
    messenger_.records.clear();
    c.break_it();
    common::StringTextSource text(input);
    LineFieldOptions lines{.mode = 0, .mark = Sjis("♀")};
    RubyCommandResult result =
        c.kind == Kind::kGrade ? RunGradeRuby(text, kGrades, context_, messenger_)
        : c.kind == Kind::kLevel
            ? RunLevelRuby(text, kLevels, context_, messenger_)
            : RunLineFieldRuby(text, lines, DictionaryUse::kMainOnly, context_, messenger_);
    EXPECT_EQ(result.status, RubyCommandStatus::kAborted) << c.step;
    ASSERT_EQ(messenger_.records.size(), c.messages) << c.step;
    if (c.messages == 2 && !c.first_message.empty()) {
      EXPECT_EQ(messenger_.records[0].text, c.first_message);
    }
    ExpectAbort(c.step);
  }
}

}  // namespace
}  // namespace engine
