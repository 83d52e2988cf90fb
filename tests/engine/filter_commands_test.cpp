// The grade, level and line-and-field commands end to end. Golden cases under
// tests/data/engine/<case>/: input.txt and the expected ruby file; the dictionaries and the
// options are those of the fixture below.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/program_dir.h"
#include "dictionary/grade_dictionary.h"
#include "dictionary/level_dictionary.h"
#include "engine/ruby_pipeline.h"
#include "tests/engine/engine_fixtures.h"
#include "tests/support/recording_messenger.h"
#include "tests/support/test_files.h"

namespace engine {
namespace {

using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::RecordingMessenger;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::TestData;
using testing_support::WriteFile;

class FilterCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    common::ProgramDir program(dir_.Path());
    std::filesystem::create_directories(program.LevelSourceDir());
    std::filesystem::create_directories(context_.work.Dir());
    engine_testing::WriteDictionary(context_.main_dictionary,
                                    {{"漢字", "かん*じ"}, {"図書", "と*しょ"}, {"薔薇", "ば*ら"}});
    engine_testing::WriteDictionary(context_.user_dictionary, {{"日本", "にっ*ぽん"}});
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
              "問題が発生しました。<in " + std::string(step) + ">\nるび振りは中止します。");
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

TEST_F(FilterCommandTest, GradeRubyMatchesItsGoldenFile) {
  std::string input = Input("grade_ruby");
  common::StringTextSource text(input);
  RubyCommandResult result = RunGradeRuby(text, kGrades, context_, messenger_);
  ASSERT_EQ(result.status, RubyCommandStatus::kOk);
  EXPECT_EQ(result.ruby_file, dir_ / "story.hrb");
  EXPECT_FALSE(result.field_flag);
  EXPECT_TRUE(messenger_.records.empty());
  EXPECT_TRUE(BytesEqual(Expected("grade_ruby", ".hrb"), ReadFile(result.ruby_file)));
  EXPECT_TRUE(std::filesystem::is_empty(context_.work.Dir()));
}

TEST_F(FilterCommandTest, LevelRubyMatchesItsGoldenFile) {
  std::string input = Input("level_ruby");
  common::StringTextSource text(input);
  RubyCommandResult result = RunLevelRuby(text, kLevels, context_, messenger_);
  ASSERT_EQ(result.status, RubyCommandStatus::kOk);
  EXPECT_EQ(result.ruby_file, dir_ / "story.krb");
  EXPECT_TRUE(BytesEqual(Expected("level_ruby", ".krb"), ReadFile(result.ruby_file)));
  EXPECT_TRUE(std::filesystem::is_empty(context_.work.Dir()));
}

TEST_F(FilterCommandTest, LineFieldRubyMatchesItsGoldenFileAndSetsTheFieldFlag) {
  std::string input = Input("line_field_ruby");
  common::StringTextSource text(input);
  LineFieldOptions options{.mode = 1, .separator = ",", .field_kind = 0, .first_field = 2};
  RubyCommandResult result =
      RunLineFieldRuby(text, options, DictionaryUse::kMainOnly, context_, messenger_);
  ASSERT_EQ(result.status, RubyCommandStatus::kOk);
  EXPECT_EQ(result.ruby_file, dir_ / "story.lrb");
  EXPECT_TRUE(result.field_flag);
  EXPECT_TRUE(BytesEqual(Expected("line_field_ruby", ".lrb"), ReadFile(result.ruby_file)));
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

TEST_F(FilterCommandTest, MissingGradeDictionaryAbortsTheAllocation) {
  std::filesystem::remove(context_.grade_dictionary);
  std::string input = Sjis("漢字\n");
  common::StringTextSource text(input);
  EXPECT_EQ(RunGradeRuby(text, kGrades, context_, messenger_).status, RubyCommandStatus::kAborted);
  ASSERT_EQ(messenger_.records.size(), 2u);
  EXPECT_EQ(messenger_.records[0].title, "大事なご報告");
  EXPECT_EQ(messenger_.records[0].text, "HDIC 部が異常です。!!! ");
  ExpectAbort("haitou_");
}

TEST_F(FilterCommandTest, KanjiCountBeyondTheFileIsRefusedNotRead) {
  context_.grade_kanji_count = 1100;  // more records than the fixed layout holds
  std::string input = Sjis("漢字\n");
  common::StringTextSource text(input);
  EXPECT_EQ(RunGradeRuby(text, kGrades, context_, messenger_).status, RubyCommandStatus::kAborted);
  ASSERT_EQ(messenger_.records.size(), 2u);
  EXPECT_EQ(messenger_.records[0].text, "HDIC 部が異常です。!!! ");
  ExpectAbort("haitou_");
}

TEST_F(FilterCommandTest, MissingJukujikunListIsReportedAndTheCommandGoesOn) {
  std::filesystem::remove(dir_ / "dic" / "小学熟字訓.txt");
  std::string input = Input("grade_ruby");
  common::StringTextSource text(input);
  RubyCommandResult result = RunGradeRuby(text, kGrades, context_, messenger_);
  EXPECT_EQ(result.status, RubyCommandStatus::kOk);
  ASSERT_EQ(messenger_.records.size(), 1u);
  EXPECT_EQ(messenger_.records[0].title, "大事なご報告");
  EXPECT_EQ(messenger_.records[0].text,
            "<小学熟字訓.txt> が読み込めない。!! \n\ndicフォルダーを確認して下さい。");
  EXPECT_TRUE(BytesEqual(Expected("grade_ruby", ".hrb"), ReadFile(result.ruby_file)));
}

TEST_F(FilterCommandTest, BlockedGradeFilterOutputAbortsTheFilter) {
  std::filesystem::create_directory(context_.work.File(common::kGradeFiltered));
  std::string input = Sjis("漢字\n");
  common::StringTextSource text(input);
  EXPECT_EQ(RunGradeRuby(text, kGrades, context_, messenger_).status, RubyCommandStatus::kAborted);
  ASSERT_EQ(messenger_.records.size(), 1u);
  ExpectAbort("kimi_ck_");
}

TEST_F(FilterCommandTest, MissingMainDictionaryAbortsTheFixedDictionaryStep) {
  std::filesystem::remove(context_.main_dictionary);
  std::string input = Sjis("漢字\n");
  common::StringTextSource text(input);
  EXPECT_EQ(RunGradeRuby(text, kGrades, context_, messenger_).status, RubyCommandStatus::kAborted);
  ExpectAbort("rb_x(0/2)");
}

TEST_F(FilterCommandTest, MissingLevelDictionaryAbortsTheLevelFilter) {
  std::filesystem::remove(context_.level_dictionary);
  std::string input = Sjis("漢字\n");
  common::StringTextSource text(input);
  EXPECT_EQ(RunLevelRuby(text, kLevels, context_, messenger_).status, RubyCommandStatus::kAborted);
  ASSERT_EQ(messenger_.records.size(), 2u);
  EXPECT_EQ(messenger_.records[0].text, "KDIC 部が異常です。!!! ");
  ExpectAbort("kanQChk_");
}

TEST_F(FilterCommandTest, BlockedLineFieldOutputAbortsTheMarking) {
  std::filesystem::create_directory(context_.work.File(common::kLineFieldMarked));
  std::string input = Sjis("漢字\n");
  common::StringTextSource text(input);
  LineFieldOptions options{.mode = 0, .mark = Sjis("♀")};
  EXPECT_EQ(RunLineFieldRuby(text, options, DictionaryUse::kMainOnly, context_, messenger_).status,
            RubyCommandStatus::kAborted);
  ASSERT_EQ(messenger_.records.size(), 1u);
  ExpectAbort("geta_pl");
}

}  // namespace
}  // namespace engine
