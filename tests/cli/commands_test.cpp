// What each command does with bad input, missing files and unwritable outputs, through cli::Run.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

TEST(CliCommands, MissingInputFailsWithAMessage) {
  ProgramFolder home;
  std::string missing = (home / "missing").string();
  const std::pair<std::string, std::string> cases[] = {
      {"ruby", "が開けません。"},
      {"build-dic", "が開けません。"},
      {"check", "が開けません。"},
      {"escape-braces", "を読み込めませんでした。"},
  };
  for (const auto& [command, complaint] : cases) {
    CliRun run = home.Run({command, missing});
    EXPECT_EQ(run.exit_code, 1) << command;
    EXPECT_EQ(run.err, "【ご注意!!】 ファイル<" + missing + ">" + complaint + "\n");
    EXPECT_EQ(run.out, "");
  }
}

TEST(CliRuby, OtherTextsAreStillDoneAfterAMissingOne) {
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", Sjis("漢字,かん*じ\r\n")).exit_code, 0);
  WriteFile(home / "b.txt", Sjis("漢字\r\n"));
  CliRun run = home.Run({"ruby", (home / "a.txt").string(), (home / "b.txt").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, (home / "b.srb").string() + "\n");
  EXPECT_EQ(ReadFile(home / "b.srb"), Sjis("{漢/かん}{字/じ}\r\n"));
}

TEST(CliRuby, RefusedTextGetsNoRubyFile) {
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", Sjis("漢字,かん*じ\r\n")).exit_code, 0);
  struct Case {
    std::vector<std::string> options;
    std::string text;
    std::string complaint;
  };
  const Case cases[] = {
      {{"--main-dic", (home / "none.dic").string()}, Sjis("漢字\r\n"), "none.dic>が開けません。"},
      {{}, "", "るび振りする内容がありません！"},
      {{"--set", "DICTIONARY/DIC_PATTERN=7"}, Sjis("漢字\r\n"), "DIC_PATTERN=7 は使えません。"},
      // A group whose reading runs on past its line would be read into by the passes.
      {{}, Sjis("漢{は/ー１\r\n/}人\r\n"), "1 行目::<{漢字/***}> の***は全角のひらがなにせよ。"},
  };
  for (Case c : cases) {
    WriteFile(home / "a.txt", c.text);
    c.options.insert(c.options.begin(), "ruby");
    c.options.push_back((home / "a.txt").string());
    CliRun run = home.Run(c.options);
    EXPECT_EQ(run.exit_code, 1) << c.complaint;
    EXPECT_TRUE(Contains(run.err, c.complaint)) << run.err;
    EXPECT_FALSE(fs::exists(home / "a.srb")) << c.complaint;
  }
}

// An empty text, and a UTF-8 text with a character Shift_JIS lacks, are refused before anything
// is written.
TEST(CliCommands, RefusedTextLeavesNothingWritten) {
  ProgramFolder home;
  const std::string unencodable = "の 2 行 1 字目の文字<☃>は Shift_JIS にありません。";
  struct Case {
    std::string text;
    std::string command;
    std::string complaint;
  };
  const Case cases[] = {
      {"", "check", "【ご確認!!】 テストする内容がない！\n"},
      {"", "html", "【ご注意!!】 表示する内容がありません！\n"},
      {"", "nnn", "【ご注意!!。】 変換する内容がありません！\n"},
      {"", "ymi", "【ご注意!!。】 変換する内容がありません！\n"},
      {"{漢字/かんじ}\n☃\n", "check", unencodable},
      {"{漢字/かんじ}\n☃\n", "html", unencodable},
      {"{漢字/かんじ}\n☃\n", "nnn", unencodable},
      {"{漢字/かんじ}\n☃\n", "ymi", unencodable},
      {"{漢字/かんじ}\n☃\n", "escape-braces", unencodable},
  };
  for (const Case& c : cases) {
    WriteFile(home / "a.srb", c.text);
    CliRun run = home.Run({c.command, (home / "a.srb").string()});
    EXPECT_EQ(run.exit_code, 1) << c.command;
    EXPECT_TRUE(Contains(run.err, c.complaint)) << run.err;
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(fs::exists(home / "aRb.html"));
  EXPECT_FALSE(fs::exists(home / "a.nnn"));
  EXPECT_FALSE(fs::exists(home / "a.ymi"));
}

TEST(CliCheck, StartInsideACharacterMovesBackToItsLeadByte) {
  ProgramFolder home;
  std::string file = (home / "a.srb").string();
  WriteFile(file, Sjis("漢字\r\n本{漢/かん}\r\n"));  // line 2 starts at byte 6
  EXPECT_TRUE(Contains(home.Run({"check", file, "--from", "1"}).out, "[ 1行(物理行)1字目］"));
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

TEST(CliEscapeBraces, ResultGoesToStandardOutputOrOutputButNeverOverTheInput) {
  ProgramFolder home;
  std::string file = (home / "a.txt").string();
  std::string text = Sjis("{漢/かん}と{本}\r\n");  // 本 is 0x96 0x7B: its trail byte is no brace
  WriteFile(file, text);
  CliRun shown = home.Run({"escape-braces", file});
  EXPECT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_TRUE(BytesEqual(Sjis("@∈漢/かん@∋と∈本∋\r\n"), shown.out));
  std::string output = (home / "b.txt").string();
  CliRun written = home.Run({"escape-braces", file, "-o", output});
  EXPECT_EQ(written.exit_code, 0) << written.err;
  EXPECT_TRUE(BytesEqual(shown.out, ReadFile(output)));
  CliRun refused = home.Run({"escape-braces", file, "-o", file});
  EXPECT_EQ(refused.exit_code, 1);
  EXPECT_TRUE(Contains(refused.err, "そのもの")) << refused.err;
  EXPECT_TRUE(BytesEqual(text, ReadFile(file)));
}

// An output that cannot be written is named with the reason, whichever command writes it, and
// nothing is left in its place.
TEST(CliCommands, UnwritableOutputIsNamedWithTheReason) {
  ProgramFolder home;
  WriteFile(home / "a.srb", Sjis("{漢字/かんじ}\r\n"));
  std::string kept = (home / "kept.txt").string();
  WriteFile(kept, "kept");
  fs::permissions(kept, fs::perms::owner_write, fs::perm_options::remove);
  std::string missing = (home / "no").string();
  std::string too_long = (home / std::string(300, 'n')).string();
  struct Case {
    std::vector<std::string> command;
    std::string output;
    std::string reason;
  };
  const Case cases[] = {
      {{"escape-braces"}, missing + "/b.txt", "フォルダ<" + missing + ">がありません。"},
      {{"kana", "--to", "hiragana"}, too_long, "名前が長すぎます。"},
      {{"strip", "--keep", "base"}, kept, "読み取り専用のファイルです。"},
      {{"ymi", "--first", "1"}, missing + "/a.ymi", "フォルダ<" + missing + ">がありません。"},
      {{"nnn"}, too_long, "名前が長すぎます。"},
      {{"html"}, kept, "読み取り専用のファイルです。"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.command;
    args.insert(args.end(), {(home / "a.srb").string(), "-o", c.output});
    CliRun run = home.Run(args);
    EXPECT_EQ(run.exit_code, 1) << c.command[0];
    EXPECT_TRUE(Contains(run.err, "【ご注意!!】 ファイル<" + c.output + ">に書き込めませんでした。" +
                                      c.reason))
        << c.command[0] << ": " << run.err;
  }
  EXPECT_FALSE(fs::exists(home / "no"));
  EXPECT_EQ(ReadFile(kept), "kept");  // read-only: left as it is

  // The settings file too.
  ASSERT_EQ(home.Run({"dic", "mode", "1"}).exit_code, 0);
  fs::permissions(home / "qelvoVR11.ini", fs::perms::owner_write, fs::perm_options::remove);
  CliRun settings = home.Run({"dic", "mode", "2"});
  EXPECT_EQ(settings.exit_code, 1);
  EXPECT_TRUE(Contains(settings.err, "qelvoVR11.ini>に書き込めませんでした。読み取り専用のファイルです。"))
      << settings.err;
}

TEST(CliEscapeBraces, StandardOutputThatCannotBeWrittenFails) {
  ProgramFolder home;
  WriteFile(home / "a.txt", "{x}");
  std::string args[] = {"mirukaze-cli", "--home", home.Home(), "escape-braces",
                        (home / "a.txt").string()};
  char* argv[] = {args[0].data(), args[1].data(), args[2].data(), args[3].data(), args[4].data()};
  std::ostream broken(nullptr);  // like standard output sent to a full disk
  std::ostringstream err;
  EXPECT_EQ(cli::Run(5, argv, broken, err), 1);
  EXPECT_EQ(err.str(), "【ご注意!!】 標準出力に書き込めませんでした。\n");
}

}  // namespace
}  // namespace cli
