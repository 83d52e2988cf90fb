// Each command's handling of bad input and its own options, through cli::Run.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>

#include "tests/cli/program_folder.h"
#include "tests/support/test_files.h"

namespace cli {
namespace {

using testing_support::BytesEqual;
using testing_support::ReadFile;
using testing_support::Sjis;
using testing_support::TestData;
using testing_support::WriteFile;

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

std::string MainSource() { return ReadFile(TestData("cli/all_ruby/Qv_Body.pre")); }

TEST(CliRuby, MissingTextFailsWithAMessage) {
  ProgramFolder home;
  std::string missing = (home / "missing.txt").string();
  CliRun run = home.Run({"ruby", missing});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【ご注意!!】 ファイル<" + missing + ">が開けません。\n");
  EXPECT_EQ(run.out, "");
}

TEST(CliRuby, OtherTextsAreStillDoneAfterAMissingOne) {
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", MainSource()).exit_code, 0);
  WriteFile(home / "b.txt", Sjis("漢字\r\n"));
  CliRun run = home.Run({"ruby", (home / "a.txt").string(), (home / "b.txt").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, (home / "b.srb").string() + "\n");
  EXPECT_EQ(ReadFile(home / "b.srb"), Sjis("{漢/かん}{字/じ}\r\n"));
}

TEST(CliRuby, MissingDictionaryFails) {
  ProgramFolder home;
  WriteFile(home / "a.txt", Sjis("漢字\r\n"));
  CliRun run = home.Run({"ruby", (home / "a.txt").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Contains(run.err, "Qv_Body.dic>が開けません。")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(home / "a.srb"));
}

TEST(CliRuby, EmptyTextIsRefused) {
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", MainSource()).exit_code, 0);
  WriteFile(home / "empty.txt", "");
  CliRun run = home.Run({"ruby", (home / "empty.txt").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Contains(run.err, "るび振りする内容がありません！")) << run.err;
}

TEST(CliRuby, DicModeOutsideZeroToTwoIsAUsageError) {
  ProgramFolder home;
  CliRun run = home.Run({"ruby", "--dic-mode", "3", "a.txt"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "--dic-mode wants 0, 1 or 2, not '3'")) << run.err;
  EXPECT_EQ(home.Run({"ruby", "--dic-mode", "01", "a.txt"}).exit_code, 2);
}

TEST(CliRuby, OnlyTheAllKindIsKnown) {
  ProgramFolder home;
  CliRun run = home.Run({"ruby", "--kind", "grade", "a.txt"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(Contains(run.err, "--kind wants one of: all; not 'grade'")) << run.err;
}

TEST(CliRuby, UnusableDicPatternSettingFailsWithAMessage) {
  ProgramFolder home;
  WriteFile(home / "a.txt", Sjis("漢字\r\n"));
  CliRun run = home.Run({"--set", "DICTIONARY/DIC_PATTERN=7", "ruby", (home / "a.txt").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Contains(run.err, "DIC_PATTERN=7 は使えません。")) << run.err;
  EXPECT_FALSE(std::filesystem::exists(home / "a.srb"));
}

TEST(CliCheck, FaultIsReportedWithItsLine) {
  ProgramFolder home;
  WriteFile(home / "a.srb", Sjis("漢\r\n{漢字かんじ}\r\n"));
  CliRun run = home.Run({"check", (home / "a.srb").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【警告】 2 行目::<{ / }> の内部は、/ の後にるびがなが必要。\n");
  EXPECT_EQ(run.out, "");
}

TEST(CliCheck, StartInsideACharacterMovesBackToItsLeadByte) {
  ProgramFolder home;
  std::string file = (home / "a.srb").string();
  WriteFile(file, Sjis("漢字\r\n本{漢/かん}\r\n"));  // line 2 starts at byte 6
  EXPECT_TRUE(Contains(home.Run({"check", file, "--from", "1"}).out, "[ 1行(物理行)1字目］"));
  EXPECT_TRUE(Contains(home.Run({"check", file, "--from", "6"}).out, "[ 2行(物理行)1字目］"));
  // The trail byte of 本 is '{': read on its own it would open a malformed group.
  CliRun inside = home.Run({"check", file, "--from", "7"});
  EXPECT_EQ(inside.exit_code, 0) << inside.err;
  EXPECT_TRUE(Contains(inside.out, "[ 2行(物理行)1字目］")) << inside.out;
}

TEST(CliCheck, StartBeyondTheEndFails) {
  ProgramFolder home;
  std::string file = (home / "a.srb").string();
  WriteFile(file, "abc");
  CliRun run = home.Run({"check", file, "--from", "4"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【ご注意!!】 開始位置 4 は<" + file + ">の長さ 3 バイトを超えています。\n");
  EXPECT_EQ(home.Run({"check", file, "--from", "3"}).exit_code, 0);
}

TEST(CliCheck, StartMustBeAByteOffset) {
  ProgramFolder home;
  for (std::string_view bad : {"-3", "x", "", "1e3"}) {
    CliRun run = home.Run({"check", "a.srb", "--from", std::string(bad)});
    EXPECT_EQ(run.exit_code, 2) << bad;
    EXPECT_TRUE(Contains(run.err, "--from wants a byte offset")) << run.err;
  }
}

TEST(CliEscapeBraces, ResultGoesToStandardOutputAsShiftJis) {
  ProgramFolder home;
  WriteFile(home / "a.txt", Sjis("{漢/かん}と{注}\r\n"));
  CliRun run = home.Run({"escape-braces", (home / "a.txt").string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(BytesEqual(Sjis("@∈漢/かん@∋と∈注∋\r\n"), run.out));
}

TEST(CliEscapeBraces, OutputMayReplaceTheInput) {
  ProgramFolder home;
  std::string file = (home / "a.txt").string();
  WriteFile(file, Sjis("{本}"));  // 本 is 0x96 0x7B: its trail byte is no brace
  CliRun run = home.Run({"escape-braces", file, "-o", file});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(BytesEqual(Sjis("∈本∋"), ReadFile(file)));
}

TEST(CliEscapeBraces, UnwritableOutputFailsAndLeavesNoFile) {
  ProgramFolder home;
  WriteFile(home / "a.txt", "{x}");
  std::string out = (home / "no" / "b.txt").string();
  CliRun run = home.Run({"escape-braces", (home / "a.txt").string(), "--output", out});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【ご注意!!】 ファイル<" + out + ">に書き込めませんでした。\n");
  EXPECT_FALSE(std::filesystem::exists(home / "no"));
}

TEST(CliEscapeBraces, OutputThatCannotBeWrittenFails) {
  ProgramFolder home;
  WriteFile(home / "a.txt", "{x}");
  std::string args[] = {"mirukaze-cli", "--home", home.Home(), "escape-braces",
                        (home / "a.txt").string()};
  char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(),
                  args[4].data()};
  std::ostream broken(nullptr);  // like standard output sent to a full disk
  std::ostringstream err;
  EXPECT_EQ(cli::Run(5, argv, broken, err), 1);
  EXPECT_EQ(err.str(), "【ご注意!!】 標準出力に書き込めませんでした。\n");
}

TEST(CliEscapeBraces, MissingInputFails) {
  ProgramFolder home;
  std::string missing = (home / "a.txt").string();
  CliRun run = home.Run({"escape-braces", missing});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【ご注意!!】 ファイル<" + missing + ">を読み込めませんでした。\n");
}

TEST(CliBuildDic, MissingSourceFails) {
  ProgramFolder home;
  std::string missing = (home / "names.pre").string();
  CliRun run = home.Run({"build-dic", missing});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "【ご注意!!】 ファイル<" + missing + ">が開けません。\n");
}

TEST(CliBuildDic, EmptySourceIsRefused) {
  ProgramFolder home;
  CliRun run = home.BuildDictionary("names", "");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_FALSE(std::filesystem::exists(home.DicDir() / "names.dic"));
}

TEST(CliRestoreDic, FileThatIsNoDictionaryFails) {
  ProgramFolder home;
  WriteFile(home / "x.dic", std::string(600, 'x'));
  CliRun run = home.Run({"--yes", "restore-dic", (home / "x.dic").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_FALSE(std::filesystem::exists(home / "x.pre"));
}

}  // namespace
}  // namespace cli
