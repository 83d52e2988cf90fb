// Arguments, help and the set-up every command shares, through cli::Run.
#include "cli/run.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

TEST(CliRun, UsageErrorShowsTheCommandsUsage) {
  CliRun run = RunCli({"check", "a.srb", "--form", "3"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err,
            "mirukaze-cli: unknown option '--form'\n"
            "Usage: mirukaze-cli check FILE [--from BYTE] [--separators]\n"
            "Try 'mirukaze-cli check --help' for more information.\n");
  EXPECT_EQ(run.out, "");
}

TEST(CliRun, BadArgumentsAreUsageErrors) {
  ProgramFolder home;
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, "no command given"},
      {{"rubi", "a.txt"}, "unknown command 'rubi'"},
      {{"check"}, "'check' needs more arguments"},
      {{"restore-dic", "a.dic", "b.dic"}, "'restore-dic' takes fewer arguments"},
      {{"ruby", "a.txt", "--kind"}, "option '--kind' needs a value"},
      {{"check", "a.srb", "--separators=1"}, "option '--separators' takes no value"},
      {{"--yes", "check", "x", "--no"}, "--yes and --no cannot be given together"},
      {{"--set", "NoRbYuko=0", "check", "x"}, "--set wants SECTION/KEY=VALUE, not 'NoRbYuko=0'"},
      {{"--set", "/NoRbYuko=0", "check", "x"}, "--set wants SECTION/KEY=VALUE"},
      {{"--set", "NOSUCH/KEY=1", "check", "x"}, "--set: no setting NOSUCH/KEY"},
      {{"--set", "DICTIONARY/DIC_PATTERN=two", "check", "x"},
       "--set: DICTIONARY/DIC_PATTERN wants an integer, not 'two'"},
      // A value is shown as it was typed, in UTF-8.
      {{"--set", "DICTIONARY/DIC_PATTERN=二", "check", "x"},
       "--set: DICTIONARY/DIC_PATTERN wants an integer, not '二'"},
      {{"--set", "設定/キー=1", "check", "x"}, "--set: no setting 設定/キー"},
      {{"--set", "漢字=1", "check", "x"}, "--set wants SECTION/KEY=VALUE, not '漢字=1'"},
      {{"--set", "FUNCTION/NoRbBgn_Str=\xF0\x9F\x98\x80", "check", "x"},
       "the value of '--set' holds a character that Shift_JIS cannot represent"},
      {{"ruby", "--dic-mode", "3", "a.txt"}, "--dic-mode wants 0, 1 or 2, not '3'"},
      {{"ruby", "--dic-mode", "01", "a.txt"}, "--dic-mode wants 0, 1 or 2, not '01'"},
      {{"ruby", "--kind", "kana", "a.txt"},
       "--kind wants one of: all, grade, kanken, line; not 'kana'"},
      {{"check", "a.srb", "--from", "-3"}, "--from wants a byte offset (0 or more), not '-3'"},
      {{"check", "a.srb", "--from", "1e3"}, "--from wants a byte offset"},
      {{"ymi", "--range-mode", "5", "a.lrb"},
       "--range-mode wants a whole number from 0 to 4, not '5'"},
  };
  for (const auto& [args, error] : cases) {
    CliRun run = home.Run(args);
    EXPECT_EQ(run.exit_code, 2) << error;
    EXPECT_TRUE(Contains(run.err, "mirukaze-cli: " + error)) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

TEST(CliRun, VersionIsPrintedWithoutACommand) {
  CliRun run = RunCli({"--version"});
  EXPECT_EQ(run.exit_code, 0);
  // The version, then whether words can be read in context on this machine.
  EXPECT_TRUE(run.out.starts_with("mirukaze-cli " MIRUKAZE_TEST_VERSION "\nreading in context: "))
      << run.out;
}

TEST(CliRun, UnknownEncodingIsAUsageError) {
  ScratchDir dir;
  CliRun run = RunCli({"--home", dir.Path().string(), "--encoding", "latin1", "check", "x"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "--encoding wants auto, sjis or utf-8, not 'latin1'")) << run.err;
}

TEST(CliRun, EveryCommandHasItsHelp) {
  for (std::string name : {"ruby", "build-dic", "restore-dic", "check", "escape-braces"}) {
    EXPECT_TRUE(Contains(RunCli({"--help"}).out, "\n  " + name + " ")) << name;
    CliRun own = RunCli({name, "--help"});
    EXPECT_EQ(own.exit_code, 0) << name;
    EXPECT_TRUE(Contains(own.out, "Usage: mirukaze-cli " + name)) << own.out;
  }
}

TEST(CliRun, MissingProgramFolderFailsWithAMessage) {
  ScratchDir scratch;
  std::string missing = (scratch / "nowhere").string();
  CliRun run = RunCli({"--home", missing, "check", "x"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【ご注意!!】 プログラムフォルダ<" + missing + ">がありません。\n");
}

// Points $TMPDIR at a scratch folder for one test.
class TemporaryFolderOverride {
 public:
  explicit TemporaryFolderOverride(const std::filesystem::path& dir) {
    if (const char* old = std::getenv("TMPDIR")) old_ = old;
    ::setenv("TMPDIR", dir.c_str(), 1);
  }
  ~TemporaryFolderOverride() {
    if (old_) {
      ::setenv("TMPDIR", old_->c_str(), 1);
    } else {
      ::unsetenv("TMPDIR");
    }
  }

 private:
  std::optional<std::string> old_;
};

TEST(CliRun, PrivateWorkFolderIsGoneAfterTheRun) {
  ProgramFolder home;
  ScratchDir temporary;
  WriteFile(home / "a.txt", "{x}");
  {
    TemporaryFolderOverride redirect(temporary.Path());
    CliRun run = home.Run({"escape-braces", (home / "a.txt").string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));
}

TEST(CliRun, GivenWorkFolderIsMadeAndKeptOrRefused) {
  ProgramFolder home;
  WriteFile(home / "a.txt", "{x}");
  std::filesystem::path work = home / "work" / "here";
  CliRun made = home.Run({"--workdir", work.string(), "escape-braces", (home / "a.txt").string()});
  EXPECT_EQ(made.exit_code, 0) << made.err;
  EXPECT_TRUE(std::filesystem::is_directory(work));
  std::string under_a_file = (home / "a.txt" / "sub").string();
  CliRun refused =
      home.Run({"--workdir", under_a_file, "escape-braces", (home / "a.txt").string()});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_EQ(refused.err, "【ご注意!!】 作業フォルダ<" + under_a_file + ">が作れません。\n");
}

}  // namespace
}  // namespace cli
