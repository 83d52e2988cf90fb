#include "engine/commands/ruby_pipeline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "engine/commands/abort_report.h"
#include "engine/commands/ruby_file_naming.h"
#include "tests/engine/engine_fixtures.h"
#include "tests/support/failing_source.h"

namespace engine {
namespace {

class AllRubyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(context_.work.Dir());
    std::filesystem::create_directories(dir_ / "docs.d");
    WriteDictionary(context_.main_dictionary, {{"漢字", "かん*じ"}, {"日本", "に*ほん"}});
    WriteDictionary(context_.user_dictionary, {{"日本", "にっ*ぽん"}, {"字", "あざ"}});
  }
  RubyCommandResult Run(std::string_view text, DictionaryUse use = DictionaryUse::kMainOnly) {
    common::StringTextSource source(text);
    return RunAllRuby(source, use, context_, messenger_);
  }
  std::string RubyFile() { return ReadFile(dir_ / "docs.d" / "story.srb"); }
  std::vector<std::string> WorkFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(context_.work.Dir())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  void ExpectMessages(std::initializer_list<std::pair<std::string, std::string>> expected) {
    ASSERT_EQ(messenger_.records.size(), expected.size());
    std::size_t i = 0;
    for (const auto& [title, text] : expected) {
      EXPECT_EQ(messenger_.records[i].title, title) << i;
      EXPECT_EQ(messenger_.records[i].text, text) << i;
      ++i;
    }
  }

  ScratchDir dir_;
  RubyCommandContext context_{.work = common::WorkDir(dir_ / "work"),
                              .document_path = dir_ / "docs.d" / "story.txt",
                              .main_dictionary = dir_ / "main.dic",
                              .user_dictionary = dir_ / "user.dic",
                              .areas = {},
                              .fault_line = nullptr};
  RecordingMessenger messenger_;
};

TEST_F(AllRubyTest, RubyFileIsNamedAfterTheDocument) {
  RubyCommandResult result = Run(Sjis("漢字\n"));
  EXPECT_EQ(result.status, RubyCommandStatus::kOk);
  EXPECT_EQ(result.ruby_file, dir_ / "docs.d" / "story.srb");
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}{字/じ}\r\n"), RubyFile()));
  EXPECT_TRUE(messenger_.records.empty());
  EXPECT_EQ(RubyFileName("/texts/a.b/story", ".srb"), "/texts/a.b/story.srb");
  EXPECT_EQ(RubyFileName("/texts/story.v2.txt", ".srb"), "/texts/story.v2.srb");
}

// Later occurrences lose their ruby in the dictionaries' result, and the ruby file still comes
// out in its form.
TEST_F(AllRubyTest, FirstOccurrenceKeepsRubyOnceInTheRubyFilesForm) {
  struct Case {
    FirstRubyScope scope;
    common::UserEncoding form;
    std::string expected;
  };
  const Case cases[] = {
      {FirstRubyScope::kDocument, {}, Sjis("{漢/かん}{字/じ}と漢字\r\n漢字\r\n")},
      {FirstRubyScope::kParagraph,
       {common::TextEncoding::kUtf8, true},
       "{漢/かん}{字/じ}と漢字\n{漢/かん}{字/じ}\n"},
  };
  for (const Case& c : cases) {
    context_.first_ruby = c.scope;
    context_.ruby_file_form = c.form;
    ASSERT_EQ(Run(Sjis("漢字と漢字\n漢字\n")).status, RubyCommandStatus::kOk);
    EXPECT_TRUE(BytesEqual(c.expected, RubyFile())) << static_cast<int>(c.scope);
    EXPECT_TRUE(WorkFiles().empty());
  }
}

TEST_F(AllRubyTest, NoWorkingFileIsLeftBehind) {
  WriteFile(context_.work.File(common::kUserRunResult), "left by an earlier command");
  EXPECT_EQ(Run(Sjis("漢字\n"), DictionaryUse::kUserThenMain).status, RubyCommandStatus::kOk);
  EXPECT_TRUE(WorkFiles().empty());
}

// With the ruby window's emphasis on, the last mark says it is colouring and that Esc stops it.
TEST_F(AllRubyTest, ProgressTellsEachStep) {
  struct Case {
    bool emphasis;
    std::vector<std::string> last;
  } cases[] = {
      {false, {"", "S"}},
      {true, {"", "S", "SM[強調中･･･Esc中止]"}},
  };
  for (const Case& c : cases) {
    messenger_.progress.clear();
    context_.ruby_emphasis = c.emphasis;
    EXPECT_EQ(Run(Sjis("漢字\n")).status, RubyCommandStatus::kOk);
    std::vector<std::string> expected = {"", "C", "", "N"};
    std::string passes = "N";
    for (int pass = 0; pass < 10; ++pass) expected.push_back(passes += "->");
    expected.insert(expected.end(), c.last.begin(), c.last.end());
    EXPECT_EQ(messenger_.progress, expected) << c.emphasis;
  }
}

TEST_F(AllRubyTest, RunningTwiceReplacesTheRubyFile) {
  EXPECT_EQ(Run(Sjis("漢字\n")).status, RubyCommandStatus::kOk);
  EXPECT_EQ(Run(Sjis("日本\n")).status, RubyCommandStatus::kOk);
  EXPECT_TRUE(BytesEqual(Sjis("{日/に}{本/ほん}\r\n"), RubyFile()));
  EXPECT_TRUE(messenger_.records.empty());
}

TEST_F(AllRubyTest, FinalLineBreakAndCrLfMakeNoDifference) {
  EXPECT_EQ(Run(Sjis("日本\n漢字\n")).status, RubyCommandStatus::kOk);
  std::string with_line_break = RubyFile();
  EXPECT_EQ(Run(Sjis("日本\n漢字")).status, RubyCommandStatus::kOk);
  EXPECT_TRUE(BytesEqual(with_line_break, RubyFile()));
  EXPECT_EQ(Run(Sjis("日本\r\n漢字")).status, RubyCommandStatus::kOk);
  EXPECT_TRUE(BytesEqual(with_line_break, RubyFile()));
}

TEST_F(AllRubyTest, UserDictionaryAloneAppliesItsOneCharacterWords) {
  EXPECT_EQ(Run(Sjis("日本の漢字。字\n"), DictionaryUse::kUserOnly).status, RubyCommandStatus::kOk);
  EXPECT_TRUE(BytesEqual(Sjis("{日/にっ}{本/ぽん}の漢{字/あざ}。{字/あざ}\r\n"), RubyFile()));
}

// What the checks before a run refuse is told once, in the text's order (the NUL guard before
// the notation), and leaves no working file; a long text is checked while it is copied.
TEST_F(AllRubyTest, RefusedTextIsToldAndLeavesNoWorkingFile) {
  std::string long_text;
  for (int i = 0; i < 40000; ++i) long_text += "a\n";
  const std::string fault = Sjis("{漢字かんじ}\n");
  const std::string nul(1, '\0');
  const std::string notation = " 行目::<{ / }> の内部は、/ の後にるびがなが必要。";
  struct Case {
    const char* what;
    std::string text;
    bool window_open;
    bool editor_lines;  // lines are counted as the editor displays them
    RubyCommandStatus status;
    std::string title;
    std::string message;
  };
  const Case cases[] = {
      {"empty", "", false, false, RubyCommandStatus::kRefused, "再見。",
       "るび振りする内容がありません！"},
      {"ruby window open", Sjis("漢字\n"), true, false, RubyCommandStatus::kRefused, "再見。",
       "るび振りWindowがすでに開いています。\nるび振りWindowを閉じてから実行してください！"},
      {"NUL", "a\nb" + nul + "c\n", false, false, RubyCommandStatus::kRefused, "ご注意!!",
       "2 行目に NUL 文字 (0x00) があります。\n"
       "この文字から後ろが失われるため、るび振りは中止します。\n"
       "文字を取り除いてから実行してください。"},
      {"notation", "a\n" + fault, false, false, RubyCommandStatus::kNotationFault, "警告",
       "2" + notation},
      {"notation, editor's line", "a\n" + fault, false, true, RubyCommandStatus::kNotationFault,
       "警告", "7" + notation},
      {"long, notation", long_text + fault, false, false, RubyCommandStatus::kNotationFault, "警告",
       "40001" + notation},
      {"long, notation then NUL", long_text + fault + nul, false, false,
       RubyCommandStatus::kRefused, "ご注意!!",
       "40002 行目に NUL 文字 (0x00) があります。\n"
       "この文字から後ろが失われるため、るび振りは中止します。\n"
       "文字を取り除いてから実行してください。"},
      {"long, no fault", long_text + Sjis("漢字\n"), false, false, RubyCommandStatus::kOk, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messenger_.records.clear();
    context_.ruby_window_open = c.window_open;
    context_.fault_line = nullptr;
    if (c.editor_lines) context_.fault_line = [](std::size_t) { return 7; };
    EXPECT_EQ(Run(c.text).status, c.status);
    if (c.title.empty()) {
      EXPECT_TRUE(messenger_.records.empty());
    } else {
      ExpectMessages({{c.title, c.message}});
    }
    EXPECT_TRUE(WorkFiles().empty());
  }
}

TEST_F(AllRubyTest, MissingDictionaryAbortsNamingTheStep) {
  std::filesystem::remove(context_.main_dictionary);
  EXPECT_EQ(Run(Sjis("漢字\n")).status, RubyCommandStatus::kAborted);
  ExpectMessages({{"Warning", "指定された辞書<" + context_.main_dictionary.string() +
                                  ">が開けません。\n正しく登録し直してください。"},
                  {"ご注意!!", "辞書によるるび振りの途中で問題が発生しました。\nるび振りは中止します。"}});
  EXPECT_EQ(messenger_.progress.back(), "");
}

// A folder in the ruby file's place, or a read-only ruby file: the run stops at the naming and
// keeps what is there.
TEST_F(AllRubyTest, RubyFileThatCannotBeReplacedAbortsTheNaming) {
  std::filesystem::path ruby_file = dir_ / "docs.d" / "story.srb";
  for (bool read_only : {false, true}) {
    messenger_.records.clear();
    std::filesystem::remove_all(ruby_file);
    if (read_only) {
      WriteFile(ruby_file, "kept");
      std::filesystem::permissions(ruby_file, std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::remove);
    } else {
      std::filesystem::create_directories(ruby_file / "inside");
    }
    EXPECT_EQ(Run(Sjis("漢字\n")).status, RubyCommandStatus::kAborted);
    ExpectMessages({{"ご注意", "るびファイル<" + ruby_file.string() + ">を書き込めませんでした。"},
                    {"ご注意!!",
                     "るびファイルの書き出しの途中で問題が発生しました。\nるび振りは中止します。"}});
  }
  EXPECT_EQ(ReadFile(ruby_file), "kept");
  EXPECT_TRUE(std::filesystem::exists(context_.work.File(common::kCleanedUp)));
}

// In memory: the same readings as the ruby file, with a ruby window open, and no file named
// or left behind; no window opens on it to colour its groups.
TEST_F(AllRubyTest, RubyInMemoryIsTheRubyFilesTextAndLeavesNoFile) {
  context_.ruby_window_open = true;
  context_.ruby_emphasis = true;
  const std::string text = Sjis("漢字と日本\n");
  common::StringTextSource source(text);
  std::optional<std::string> ruby =
      GiveRuby(source, DictionaryUse::kUserThenMain, context_, messenger_);
  ASSERT_TRUE(ruby);
  EXPECT_TRUE(BytesEqual(Sjis("{漢/かん}{字/じ}と{日/にっ}{本/ぽん}\n"), *ruby));
  EXPECT_TRUE(WorkFiles().empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "docs.d" / "story.srb"));
  EXPECT_EQ(messenger_.progress.back(), "S");
  std::filesystem::remove(context_.main_dictionary);
  EXPECT_FALSE(GiveRuby(source, DictionaryUse::kMainOnly, context_, messenger_));
  EXPECT_EQ(messenger_.records.size(), 2u);  // the loader's message and the abort report
}

TEST_F(AllRubyTest, FailedMarkingEndsSilently) {
  std::filesystem::create_directories(context_.work.File(common::kNonRubyMarked) / "inside");
  EXPECT_EQ(Run(Sjis("漢字\n")).status, RubyCommandStatus::kMarkingFailed);
  EXPECT_TRUE(messenger_.records.empty());
}

TEST_F(AllRubyTest, UnwritablePreparedTextIsReported) {
  std::filesystem::path blocked = context_.work.File(common::kPreparedText);
  std::filesystem::create_directory(blocked);
  EXPECT_EQ(Run(Sjis("漢字\n")).status, RubyCommandStatus::kNotPrepared);
  ExpectMessages({{"Warning", "作業ファイル<" + blocked.string() +
                                  ">を書き込めませんでした。\nるび振りは中止します。"}});
  // The text is checked as it is written: what the checks refuse is still said first.
  messenger_.records.clear();
  EXPECT_EQ(Run(std::string_view("a\0\n", 3)).status, RubyCommandStatus::kRefused);
  EXPECT_EQ(Run(Sjis("{漢字かんじ}\n")).status, RubyCommandStatus::kNotationFault);
  ASSERT_EQ(messenger_.records.size(), 2u);
  EXPECT_EQ(messenger_.records[0].title, "ご注意!!");
  EXPECT_EQ(messenger_.records[1].title, "警告");
}

TEST_F(AllRubyTest, TextThatCannotBeReadWholeIsReportedNotTakenForAFault) {
  // The reading stops inside a group; the checker must not blame the text for it.
  testing_support::FailingSource source(Sjis("{漢字/かんじ}\n漢字\n"), 5);
  EXPECT_EQ(RunAllRuby(source, DictionaryUse::kMainOnly, context_, messenger_).status,
            RubyCommandStatus::kNotPrepared);
  ASSERT_EQ(messenger_.records.size(), 1u);
  EXPECT_EQ(messenger_.records[0].title, "Warning");
  EXPECT_NE(messenger_.records[0].text.find(context_.document_path.string()), std::string::npos);
  EXPECT_TRUE(WorkFiles().empty());
}

TEST(RubyFileNaming, MissingWorkingFileIsReportedAndTheOldRubyFileKept) {
  ScratchDir dir;
  WriteFile(dir / "story.srb", "old");
  RecordingMessenger messenger;
  RubyFileNaming naming = NameRubyFile(common::WorkDir(dir.Path()), common::kCleanedUp,
                                       dir / "story.txt", ".srb", messenger);
  EXPECT_FALSE(naming.ok);
  EXPECT_EQ(naming.ruby_file, dir / "story.srb");
  ASSERT_TRUE(ShowedOnly(messenger, "ご注意!!", "shori_.$rb が存在しません。"));
  EXPECT_EQ(ReadFile(dir / "story.srb"), "old");
}

// A corrected ruby file survives a second run as the backup, one generation deep; a run that
// writes what the ruby file already says leaves the backup alone.
TEST(RubyFileNaming, ReplacedRubyFileIsKeptAsTheBackup) {
  ScratchDir dir;
  common::WorkDir work(dir.Path());
  RecordingMessenger messenger;
  auto run = [&](std::string_view output) {
    WriteFile(work.File(common::kCleanedUp), output);
    return NameRubyFile(work, common::kCleanedUp, dir / "story.txt", ".srb", messenger);
  };
  EXPECT_TRUE(run("first").backup.empty());
  WriteFile(dir / "story.srb", "corrected");
  RubyFileNaming second = run("first");
  ASSERT_TRUE(second.ok);
  EXPECT_EQ(second.backup, dir / "story.~srb");
  EXPECT_EQ(ReadFile(dir / "story.~srb"), "corrected");
  EXPECT_EQ(ReadFile(dir / "story.srb"), "first");
  EXPECT_TRUE(run("first").backup.empty());
  EXPECT_EQ(ReadFile(dir / "story.~srb"), "corrected");
  EXPECT_EQ(run("second").backup, dir / "story.~srb");
  EXPECT_EQ(ReadFile(dir / "story.~srb"), "first");
  EXPECT_TRUE(messenger.records.empty());
}

// tests/data/engine/<case>/: input.txt, main.pre (and user.pre), settings.txt with the
// dictionary use, and expected.srb, the ruby file byte for byte.
class AllRubyGolden : public ::testing::TestWithParam<std::string> {};

DictionaryUse UseFromSettings(const std::filesystem::path& settings) {
  std::istringstream lines(ReadFile(settings));
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("dictionary_use=")) {
      return static_cast<DictionaryUse>(std::stoi(line.substr(15)));
    }
  }
  return DictionaryUse::kMainOnly;
}

TEST_P(AllRubyGolden, RubyFileMatchesExpectedBytes) {
  std::filesystem::path data = TestData("engine/" + GetParam());
  ScratchDir dir;
  std::filesystem::create_directory(dir / "work");
  RubyCommandContext context{.work = common::WorkDir(dir / "work"),
                             .document_path = dir / (GetParam() + ".txt"),
                             .main_dictionary = dir / "main.dic",
                             .user_dictionary = dir / "user.dic",
                             .areas = {},
                             .fault_line = nullptr};
  WriteDictionaryFromSource(context.main_dictionary, data / "main.pre");
  if (std::filesystem::exists(data / "user.pre")) {
    WriteDictionaryFromSource(context.user_dictionary, data / "user.pre");
  }
  std::filesystem::copy_file(data / "input.txt", context.document_path);
  auto source = common::FileTextSource::Open(context.document_path);
  ASSERT_TRUE(source);
  RecordingMessenger messenger;
  RubyCommandResult result =
      RunAllRuby(*source, UseFromSettings(data / "settings.txt"), context, messenger);
  ASSERT_EQ(result.status, RubyCommandStatus::kOk);
  EXPECT_TRUE(messenger.records.empty());
  EXPECT_TRUE(BytesEqual(ReadFile(data / "expected.srb"), ReadFile(result.ruby_file)));
}

INSTANTIATE_TEST_SUITE_P(Cases, AllRubyGolden,
                         ::testing::Values("all_ruby_plain", "all_ruby_html",
                                           "all_ruby_user_first"));

}  // namespace
}  // namespace engine
