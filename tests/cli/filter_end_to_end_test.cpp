// Whole grade, kanji-test level and line-and-field runs of the tool: dictionaries and auxiliary
// dictionaries built from sources, a text given each kind of ruby, compared byte for byte with
// golden files; and the dialogs' refusals, which leave no file behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

std::string Golden(std::string_view name) { return cli::Golden("filter_ruby", name); }

// A program folder with the golden settings, main and user dictionaries, and the grade and level
// dictionaries built from the sample lists.
class CliFilterRuby : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::copy(TestData("cli/filter_ruby/dic"), home_.DicDir(), fs::copy_options::recursive);
    home_.WriteSettings(Golden("settings.ini"));
    for (std::string_view name : {"Qv_Body", "Qv_Users"}) {
      CliRun built = home_.BuildDictionary(name, Golden(std::string(name) + ".pre"));
      ASSERT_EQ(built.exit_code, 0) << built.err;
    }
    for (std::string_view command : {"build-grade", "build-kanken"}) {
      CliRun built = home_.Run({std::string(command)});
      ASSERT_EQ(built.exit_code, 0) << built.err;
    }
    WriteFile(home_ / "text.txt", Golden("text.txt"));
  }

  // The golden text given ruby of `kind`; the printed path must be that of `extension`.
  std::string RubyOf(std::string_view kind, std::string_view extension,
                     std::vector<std::string> options = {}) {
    std::vector<std::string> args = {"ruby", "--kind", std::string(kind)};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back((home_ / "text.txt").string());
    CliRun run = home_.Run(args);
    fs::path ruby_file = home_ / ("text" + std::string(extension));
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, ruby_file.string() + "\n");
    return ReadFile(ruby_file);
  }

  ProgramFolder home_;
};

TEST_F(CliFilterRuby, GradeRubyWritesTheGoldenFile) {
  EXPECT_TRUE(BytesEqual(Golden("expected.hrb"), RubyOf("grade", ".hrb")));
}

// Grade ruby uses the main dictionary alone whatever is asked: 一月 keeps the main reading, and
// a dictionary mode that stands for nothing does not stop it.
TEST_F(CliFilterRuby, GradeRubyIgnoresTheDictionaryMode) {
  EXPECT_TRUE(BytesEqual(Golden("expected.hrb"), RubyOf("grade", ".hrb", {"--dic-mode", "1"})));
  EXPECT_TRUE(BytesEqual(Golden("expected.hrb"),
                         RubyOf("grade", ".hrb", {"--set", "DICTIONARY/DIC_PATTERN=7"})));
}

// Level ruby applies the user dictionary before the main one whatever is asked: 一月 gets the
// user dictionary's ひと*つき.
TEST_F(CliFilterRuby, LevelRubyWritesTheGoldenFileWithBothDictionaries) {
  EXPECT_TRUE(BytesEqual(Golden("expected.krb"), RubyOf("kanken", ".krb", {"--dic-mode", "0"})));
}

TEST_F(CliFilterRuby, LineRubyWritesTheGoldenFile) {
  EXPECT_TRUE(
      BytesEqual(Golden("expected.lrb"),
                 RubyOf("line", ".lrb", {"--dic-mode", "0", "--mark-delete", "--separator", ","})));
}

// Each refusal of the option checks is tested with engine/filter_options; here, that the tool
// shows it once and writes nothing.
// 山 stands on two lines: once per text it keeps its ruby once, once per paragraph on both lines;
// the option and the setting choose alike, with the grade filter as without.
TEST_F(CliFilterRuby, FirstOccurrenceComesFromTheOptionOrTheSetting) {
  struct Case {
    std::string kind, extension, scope, setting;
    int mountains_with_ruby;
  };
  const Case cases[] = {
      {"all", ".srb", "document", "1", 1},
      {"all", ".srb", "paragraph", "2", 2},
      {"all", ".srb", "every", "0", 2},
      {"kanken", ".krb", "document", "1", 1},
  };
  const std::string mountain = Sjis("{山/やま}");
  auto count = [&mountain](const std::string& text) {
    int found = 0;
    for (std::size_t at = text.find(mountain); at != std::string::npos;
         at = text.find(mountain, at + 1)) {
      ++found;
    }
    return found;
  };
  for (const Case& c : cases) {
    std::string by_option = RubyOf(c.kind, c.extension, {"--first-occurrence", c.scope});
    EXPECT_EQ(count(by_option), c.mountains_with_ruby) << c.scope;
    EXPECT_TRUE(BytesEqual(
        by_option, RubyOf(c.kind, c.extension, {"--set", "RUBIRANGE/FIRSTRUBY=" + c.setting})));
  }
  CliRun run = home_.Run({"ruby", "--first-occurrence", "page", (home_ / "text.txt").string()});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_NE(run.err.find("--first-occurrence wants every, document or paragraph, not 'page'"),
            std::string::npos);
}

// The main dictionary offers 人 as ひと|にん: --first-reading keeps ひと, before every kind's
// filter and with the first-occurrence choice.
TEST_F(CliFilterRuby, FirstReadingKeepsTheFirstAlternative) {
  struct Case {
    std::string kind, extension;
    std::vector<std::string> options;
    std::string person;
  };
  const Case cases[] = {
      {"all", ".srb", {}, "{人/ひと|にん}"},
      {"all", ".srb", {"--first-reading"}, "{人/ひと}と"},
      {"all", ".srb", {"--first-reading", "--first-occurrence", "document"}, "{人/ひと}と"},
      {"kanken", ".krb", {"--first-reading"}, "@[10級]{人/ひと}と"},
  };
  for (const Case& c : cases) {
    std::string text = RubyOf(c.kind, c.extension, c.options);
    EXPECT_NE(text.find(Sjis(c.person)), std::string::npos) << c.kind << " " << c.person;
  }
}

TEST_F(CliFilterRuby, DialogRefusalsAreShownAndNothingIsWritten) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--set", "RUBIRANGE/NENSETTYPE=1", "--set", "RUBIRANGE/NENSITA=4", "--set",
        "RUBIRANGE/NENUE=2", "ruby", "--kind", "grade"},
       "【ご確認！】 右欄の学年は左欄の学年より上にして下さい。\n"},
      {{"ruby", "--kind", "line"}, "【ご注意！】 フィールド・セパレーターを指定して下さい。\n"},
  };
  for (Case c : cases) {
    c.args.push_back((home_ / "text.txt").string());
    // Twice the same file: the refusal is still shown once.
    c.args.push_back((home_ / "text.txt").string());
    CliRun run = home_.Run(c.args);
    EXPECT_EQ(run.exit_code, 1) << c.message;
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "");
  }
  for (std::string_view extension : {".hrb", ".krb", ".lrb"}) {
    EXPECT_FALSE(fs::exists(home_ / ("text" + std::string(extension)))) << extension;
  }
}

// The kanji count of the settings file says how much of the grade dictionary there is to read:
// a count beyond the layout, or a file too short for the count, is refused with the
// dictionary's message and never read past.
TEST_F(CliFilterRuby, GradeDictionaryThatCannotHoldTheCountIsRefused) {
  std::vector<std::string> beyond_layout = {"--set", "DICTIONARY/H_KANJISUU=1050"};
  std::vector<std::string> short_file = {};
  for (std::vector<std::string> args : {beyond_layout, short_file}) {
    if (args.empty()) {
      fs::path dictionary = home_.DicDir() / "HaitouNen.dic";
      WriteFile(dictionary, ReadFile(dictionary).substr(0, 100));
    }
    args.insert(args.end(), {"ruby", "--kind", "grade", (home_ / "text.txt").string()});
    CliRun run = home_.Run(args);
    EXPECT_EQ(run.exit_code, 1);
    std::string cause = args.size() > 4
                            ? "【大事なご報告】 設定 DICTIONARY/H_KANJISUU の値 1050 は"
                            : "【大事なご報告】 配当学年辞書<" +
                                  (home_.DicDir() / "HaitouNen.dic").string() + ">が壊れています。";
    EXPECT_TRUE(Contains(run.err, cause)) << run.err;
    EXPECT_TRUE(Contains(run.err, "配当学年の割り当ての途中で問題が発生しました。")) << run.err;
    EXPECT_FALSE(Contains(run.err, "<in ")) << run.err;  // no step name of the code
    EXPECT_FALSE(fs::exists(home_ / "text.hrb"));
  }
}

}  // namespace
}  // namespace cli
