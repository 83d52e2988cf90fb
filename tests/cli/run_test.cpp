#include "cli/run.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "cli/command.h"
#include "tests/cli/cli_runner.h"
#include "tests/support/test_files.h"

namespace cli {
namespace {

using testing_support::ScratchDir;
using testing_support::WriteFile;

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

TEST(CliRun, ExitCodesAreZeroOneAndTwo) {
  EXPECT_EQ(ExitCodeOf(Outcome::kSuccess), 0);
  EXPECT_EQ(ExitCodeOf(Outcome::kFailed), 1);
  EXPECT_EQ(ExitCodeOf(Outcome::kUsageError), 2);
}

TEST(CliRun, NoCommandIsAUsageError) {
  CliRun run = RunCli({});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err,
            "mirukaze-cli: no command given\n"
            "Usage: mirukaze-cli [GLOBAL OPTIONS] COMMAND [OPTIONS] ARGS...\n"
            "Try 'mirukaze-cli --help' for more information.\n");
  EXPECT_EQ(run.out, "");
}

TEST(CliRun, HelpListsEveryCommandAndTheGlobalOptions) {
  CliRun run = RunCli({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  for (std::string_view name : {"ruby", "build-dic", "restore-dic", "check", "escape-braces",
                                "--home", "--workdir", "--set", "--yes", "--no"}) {
    EXPECT_TRUE(Contains(run.out, name)) << name;
  }
  EXPECT_EQ(run.err, "");
}

TEST(CliRun, EveryCommandHasItsHelp) {
  for (std::string_view name : {"ruby", "build-dic", "restore-dic", "check", "escape-braces"}) {
    CliRun run = RunCli({std::string(name), "--help"});
    EXPECT_EQ(run.exit_code, 0) << name;
    EXPECT_TRUE(Contains(run.out, "Usage: mirukaze-cli " + std::string(name))) << run.out;
  }
  EXPECT_TRUE(Contains(RunCli({"-h", "ruby"}).out, "--dic-mode 0|1|2"));
}

TEST(CliRun, UnknownCommandIsAUsageError) {
  CliRun run = RunCli({"rubi", "a.txt"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "mirukaze-cli: unknown command 'rubi'\n")) << run.err;
}

TEST(CliRun, UnknownOptionShowsTheCommandsUsage) {
  CliRun run = RunCli({"check", "a.srb", "--form", "3"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err,
            "mirukaze-cli: unknown option '--form'\n"
            "Usage: mirukaze-cli check FILE [--from BYTE] [--separators]\n"
            "Try 'mirukaze-cli check --help' for more information.\n");
}

TEST(CliRun, WrongNumberOfArgumentsIsAUsageError) {
  EXPECT_EQ(RunCli({"check"}).exit_code, 2);
  EXPECT_EQ(RunCli({"ruby"}).exit_code, 2);
  CliRun run = RunCli({"restore-dic", "a.dic", "b.dic"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "'restore-dic' takes fewer arguments")) << run.err;
}

TEST(CliRun, YesAndNoTogetherIsAUsageError) {
  ScratchDir home;
  CliRun run = RunCli({"--home", home.Path().string(), "--yes", "check", "x", "--no"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "--yes and --no cannot be given together")) << run.err;
}

TEST(CliRun, MalformedSetIsAUsageError) {
  ScratchDir home;
  for (std::string_view bad : {"FUNCTION/NoRbYuko", "NoRbYuko=0", "/NoRbYuko=0", "FUNCTION/=0"}) {
    CliRun run = RunCli({"--home", home.Path().string(), "--set", std::string(bad), "check", "x"});
    EXPECT_EQ(run.exit_code, 2) << bad;
    EXPECT_TRUE(Contains(run.err, "--set wants SECTION/KEY=VALUE")) << run.err;
  }
}

TEST(CliRun, SetOfAnUnknownSettingIsAUsageError) {
  ScratchDir home;
  CliRun run = RunCli({"--home", home.Path().string(), "--set", "NOSUCH/KEY=1", "check", "x"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "--set: no setting NOSUCH/KEY")) << run.err;
}

TEST(CliRun, SetOfANonIntegerToAnIntegerSettingIsAUsageError) {
  ScratchDir home;
  CliRun run =
      RunCli({"--home", home.Path().string(), "--set", "DICTIONARY/DIC_PATTERN=two", "check", "x"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "DICTIONARY/DIC_PATTERN wants an integer, not 'two'")) << run.err;
}

TEST(CliRun, SetValueShiftJisCannotHoldIsAUsageError) {
  ScratchDir home;
  CliRun run = RunCli({"--home", home.Path().string(), "--set",
                       "FUNCTION/NoRbBgn_Str=\xF0\x9F\x98\x80", "check", "x"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "cannot represent")) << run.err;
}

TEST(CliRun, MissingProgramFolderFailsWithAMessage) {
  ScratchDir scratch;
  std::string missing = (scratch / "nowhere").string();
  CliRun run = RunCli({"--home", missing, "check", "x"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【ご注意!!】 プログラムフォルダ<" + missing + ">がありません。\n");
}

TEST(CliRun, GlobalOptionsMayFollowTheCommand) {
  ScratchDir home;
  WriteFile(home / "a.srb", "{\x8A\xBF/\x82\xA9\x82\xF1}\r\n");
  CliRun run = RunCli({"check", (home / "a.srb").string(), "--home", home.Path().string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
}

// Points $TMPDIR at a scratch folder for one test.
class TemporaryFolderOverride {
 public:
  explicit TemporaryFolderOverride(const std::filesystem::path& dir) {
    const char* old = std::getenv("TMPDIR");
    if (old) old_ = old;
    ::setenv("TMPDIR", dir.c_str(), 1);
  }
  ~TemporaryFolderOverride() {
    if (old_.empty()) {
      ::unsetenv("TMPDIR");
    } else {
      ::setenv("TMPDIR", old_.c_str(), 1);
    }
  }

 private:
  std::string old_;
};

TEST(CliRun, PrivateWorkFolderIsGoneAfterTheRun) {
  ScratchDir home;
  ScratchDir temporary;
  WriteFile(home / "a.txt", "{x}");
  {
    TemporaryFolderOverride redirect(temporary.Path());
    CliRun run =
        RunCli({"--home", home.Path().string(), "escape-braces", (home / "a.txt").string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
  }
  EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));
}

TEST(CliRun, GivenWorkFolderIsMadeAndKept) {
  ScratchDir home;
  WriteFile(home / "a.txt", "{x}");
  std::filesystem::path work = home / "work" / "here";
  CliRun run = RunCli({"--home", home.Path().string(), "--workdir", work.string(), "escape-braces",
                       (home / "a.txt").string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(std::filesystem::is_directory(work));
}

TEST(CliRun, UnusableWorkFolderFailsWithAMessage) {
  ScratchDir home;
  WriteFile(home / "a.txt", "{x}");
  WriteFile(home / "file", "");
  std::string work = (home / "file" / "sub").string();
  CliRun run = RunCli({"--home", home.Path().string(), "--workdir", work, "escape-braces",
                       (home / "a.txt").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【ご注意!!】 作業フォルダ<" + work + ">が作れません。\n");
}

}  // namespace
}  // namespace cli
