// The ruby job as the two front ends call it: a file given (the command line) and a window's
// text (the desktop) give the same ruby file, in the text's encoding and line ends, and a ruby
// file corrected by hand survives any number of runs in the file or its backup.
#include "jobs/ruby_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <optional>
#include <string>

#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/encoding/text_encoding.h"
#include "dictionary/build_command.h"
#include "engine/commands/command_context.h"
#include "tests/support/test_helpers.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;
using namespace testing_support::helpers;

// The text of the all-ruby golden files, and the ruby of its first line.
constexpr std::string_view kText = "今日、漢字の本を読みに行く。\n人々の一ヶ月。\n";
constexpr std::string_view kRuby = "{今日/きょう}、{漢/かん}{字/じ}の{本/ほん}を読みに{行/い}く。";
constexpr std::string_view kCorrected = "{今日/こんにち}、{漢/かん}{字/じ}の{本/ほん}を読みに{行/い}く。";

// `utf8` with LF line ends in the encoding and line ends of a document.
std::string InForm(std::string_view utf8, const common::UserEncoding& form) {
  std::string text = form.lf_line_ends ? std::string(utf8) : common::LfToCrLf(utf8);
  if (form.encoding == common::TextEncoding::kShiftJis) return Sjis(text);
  if (form.encoding == common::TextEncoding::kUtf8WithBom) text.insert(0, common::kUtf8Bom);
  return text;
}

struct FormCase {
  const char* name;
  common::UserEncoding form;  // of the document, and so of its ruby file
};

class RubyJobTest : public ::testing::TestWithParam<FormCase> {
 protected:
  static void SetUpTestSuite() {
    home_ = new ScratchDir();
    common::ProgramDir program(home_->Path());
    fs::create_directories(program.DicDir());
    ScratchDir work;
    RecordingMessenger quiet;
    quiet.default_answer = common::Answer::kNo;  // no build report
    const std::string words = ReadFile(TestData("cli/all_ruby/Qv_Body.pre"));
    common::StringTextSource source(words);
    ASSERT_EQ(dictionary::RunDictionaryBuild(source, program.DicDir() / "Qv_Body", program,
                                             common::WorkDir(work.Path()), quiet)
                  .status,
              dictionary::BuildStatus::kOk)
        << (quiet.records.empty() ? "" : quiet.records.front().text);
    ASSERT_TRUE(fs::exists(program.MainDictionary()));
  }
  static void TearDownTestSuite() {
    delete home_;
    home_ = nullptr;
  }

  // The form the job decides on for the case's document: its own, in either encoding.
  common::UserEncoding Expected() const { return GetParam().form; }

  fs::path Document() {
    fs::path document = docs_ / "story.txt";
    WriteFile(document, InForm(kText, GetParam().form));
    return document;
  }

  // The main dictionary reads alone, so that the files are those of the pinned command line.
  engine::RubyCommandContext Context() {
    common::ProgramDir program(home_->Path());
    engine::RubyCommandContext context = engine::RubyCommandContextOf(
        common::LoadSettings(program.Dir()), program, common::WorkDir(work_.Path()));
    context.context_reading = nullptr;
    return context;
  }

  // F5 as the desktop gives it: the window's text (UTF-8, LF) of the document.
  RubyJobResult RunEdited(const fs::path& document, std::string_view window_text = kText) {
    std::optional<JobText> text = OpenEditedText(window_text, document, GetParam().form.encoding,
                                                 common::WorkDir(work_.Path()), messenger_);
    if (!text) return {};
    return RunRubyJob(RubyKind::kAll, {}, *text, Context(), {}, messenger_);
  }

  // `mirukaze-cli ruby` on the file.
  RubyJobResult RunGiven(const fs::path& document) {
    std::optional<JobText> text = OpenGivenText(
        {.file = document, .bytes = document, .cannot_read = "%s", .broken_utf8 = "%s"},
        common::WorkDir(work_.Path()), messenger_);
    if (!text) return {};
    return RunRubyJob(RubyKind::kAll, {}, *text, Context(), {}, messenger_);
  }

  static ScratchDir* home_;
  ScratchDir docs_;
  ScratchDir work_;
  RecordingMessenger messenger_;
};

ScratchDir* RubyJobTest::home_ = nullptr;

// The ruby file of the window's text is the command line's, byte for byte, in the document's
// encoding and line ends; the result says which.
TEST_P(RubyJobTest, WindowTextGivesTheRubyFileOfTheFile) {
  fs::path document = Document();
  RubyJobResult given = RunGiven(document);
  ASSERT_TRUE(given.ok) << (messenger_.records.empty() ? "" : messenger_.records[0].text);
  std::string from_file = ReadFile(docs_ / "story.srb");
  fs::remove(docs_ / "story.srb");
  RubyJobResult edited = RunEdited(document);
  ASSERT_TRUE(edited.ok);
  EXPECT_TRUE(BytesEqual(from_file, ReadFile(docs_ / "story.srb")));
  EXPECT_TRUE(ReadFile(docs_ / "story.srb").find(InForm(kRuby, Expected())) != std::string::npos)
      << ReadFile(docs_ / "story.srb");
  EXPECT_EQ(edited.file, docs_ / "story.srb");
  EXPECT_EQ(edited.form.encoding, Expected().encoding);
  EXPECT_EQ(edited.form.lf_line_ends, Expected().lf_line_ends);
  EXPECT_TRUE(messenger_.records.empty());
  EXPECT_TRUE(fs::is_empty(work_.Path()));  // nothing is left in the working folder
}

// Run, run (no backup), correct by hand, run (the correction is the backup), run (it stays),
// run on a text that reads differently (the untouched ruby file it replaces is not the backup).
TEST_P(RubyJobTest, CorrectedRubyFileSurvivesEveryRun) {
  fs::path document = Document();
  fs::path ruby = docs_ / "story.srb";
  fs::path backup = docs_ / "story.~srb";
  ASSERT_TRUE(RunEdited(document).ok);
  RubyJobResult second = RunEdited(document);
  EXPECT_TRUE(second.ok);
  EXPECT_TRUE(second.backup.empty());
  EXPECT_FALSE(fs::exists(backup));

  std::string corrected = ReadFile(ruby);
  corrected.replace(corrected.find(InForm(kRuby, Expected())), InForm(kRuby, Expected()).size(),
                    InForm(kCorrected, Expected()));
  WriteFile(ruby, corrected);
  RubyJobResult third = RunEdited(document);
  EXPECT_EQ(third.backup, backup);
  EXPECT_EQ(ReadFile(backup), corrected);
  RubyJobResult fourth = RunEdited(document);
  EXPECT_TRUE(fourth.backup.empty());
  EXPECT_EQ(ReadFile(backup), corrected);
  EXPECT_NE(ReadFile(ruby), corrected);

  std::string before = ReadFile(ruby);
  RubyJobResult fifth = RunEdited(document, std::string(kText) + "本。\n");
  EXPECT_TRUE(fifth.ok);
  EXPECT_TRUE(fifth.backup.empty());
  EXPECT_EQ(ReadFile(backup), corrected);
  EXPECT_NE(ReadFile(ruby), before);
  // Edited again by hand, the ruby file is what a run keeps.
  WriteFile(ruby, corrected);
  EXPECT_EQ(RunEdited(document).backup, backup);
  EXPECT_EQ(ReadFile(backup), corrected);
  // What the program remembers lives in its home, never beside the document.
  EXPECT_EQ(std::distance(fs::directory_iterator(docs_.Path()), fs::directory_iterator()), 3);
}

// A filter's ruby file, written by the pass in the program's form, is put beside the document
// in the document's form too, and compared with the previous one in that form.
TEST_P(RubyJobTest, LineRubyFileIsInTheDocumentsForm) {
  fs::path document = docs_ / "story.txt";
  WriteFile(document, InForm("♀今日は本\n今日\n", GetParam().form));
  RubyChoices choices;
  choices.line.mode = 0;  // the lines that begin with the mark
  choices.line.mark = Sjis("♀");
  for (int run = 0; run < 2; ++run) {
    std::optional<JobText> text = OpenEditedText("♀今日は本\n今日\n", document,
                                                 GetParam().form.encoding,
                                                 common::WorkDir(work_.Path()), messenger_);
    ASSERT_TRUE(text);
    RubyJobResult result =
        RunRubyJob(RubyKind::kLineField, choices, *text, Context(), {}, messenger_);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.file, docs_ / "story.lrb");
    EXPECT_TRUE(result.backup.empty());
  }
  EXPECT_EQ(ReadFile(docs_ / "story.lrb"),
            InForm("♀{今日/きょう}は{本/ほん}\n今日\n", Expected()));
  EXPECT_FALSE(fs::exists(docs_ / "story.~lrb"));
  EXPECT_TRUE(messenger_.records.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RubyJobTest,
    ::testing::Values(FormCase{"ShiftJisCrLf", {common::TextEncoding::kShiftJis, false}},
                      FormCase{"ShiftJisLf", {common::TextEncoding::kShiftJis, true}},
                      FormCase{"Utf8CrLf", {common::TextEncoding::kUtf8, false}},
                      FormCase{"Utf8Lf", {common::TextEncoding::kUtf8, true}},
                      FormCase{"Utf8BomLf", {common::TextEncoding::kUtf8WithBom, true}}),
    [](const ::testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

// A character Shift_JIS cannot hold in a window's text is named as the command line names it,
// with its line and column, whether the text goes to the passes or is read in memory; nothing
// is written.
TEST(EditedText, UnencodableCharacterIsNamedWithLineAndColumn) {
  ScratchDir docs;
  ScratchDir work;
  fs::path document = docs / "story.txt";
  const std::string text = "一行目\n二行目の\xF0\x9F\x98\x80\n";
  const std::string expected = "<" + document.string() +
                               ">の 2 行 5 字目の文字<\xF0\x9F\x98\x80>は Shift_JIS にありません。\n"
                               "何も書きませんでした。";
  RecordingMessenger for_passes;
  EXPECT_FALSE(OpenEditedText(text, document, common::TextEncoding::kShiftJis,
                              common::WorkDir(work.Path()), for_passes));
  EXPECT_TRUE(ShowedOnly(for_passes, "ご注意!!", expected));
  RecordingMessenger in_memory;
  EXPECT_FALSE(EditedTextInShiftJis(text, document, in_memory));
  EXPECT_TRUE(ShowedOnly(in_memory, "ご注意!!", expected));
  EXPECT_TRUE(fs::is_empty(work.Path()));
}

}  // namespace
}  // namespace jobs
