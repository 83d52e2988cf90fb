// The ruby-file conversion commands through cli::Run: the check before a conversion, the
// refusals of the settings dialogs, and outputs against golden files in either encoding.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/cp932.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

std::string Golden(std::string_view name) { return cli::Golden("conversions", name); }
std::string Utf8(std::string_view sjis) { return *common::Cp932ToUtf8(sjis); }

// Line 2 has a group whose base runs into its closing brace.
const std::string kFaultyText = Sjis("{漢字/かんじ}\r\n{漢字かんじ}\r\n");
const std::string kFaultOnLine2 = "【警告】 2 行目::<{ / }> の内部は、/ の後にるびがなが必要。\n";

// Each conversion gives its golden output beside the ruby file; from a UTF-8 ruby file the same
// in UTF-8 (the page declaring it), and with -o OUT there, with nothing beside the ruby file.
TEST(CliConversions, OutputsMatchGoldenFiles) {
  struct Case {
    std::vector<std::string> command;
    std::string input;
    std::string output;
  };
  const Case cases[] = {
      {{"html"}, "a.srb", "aRb.html"},
      {{"ymi", "--first", "2"}, "list.lrb", "list.ymi"},
      {{"nnn", "--template", "<ruby>****1<rt>****4</rt></ruby>"}, "story.srb", "story.nnn"},
  };
  enum class Form { kShiftJis, kUtf8, kOutputOption };
  for (Form form : {Form::kShiftJis, Form::kUtf8, Form::kOutputOption}) {
    for (Case c : cases) {
      ProgramFolder home;
      std::string input = Golden(c.input);
      std::string expected = Golden(c.output);
      fs::path written = home / c.output;
      if (form == Form::kUtf8) {
        input = Utf8(input);
        expected = Utf8(expected);
        std::size_t charset = expected.find("charset=Shift_JIS");
        if (charset != std::string::npos) expected.replace(charset + 8, 9, "UTF-8");
      }
      if (form == Form::kOutputOption) {
        written = home / ("out-" + c.output);
        // The page's title still names the ruby file: its stand-in keeps the name.
        c.command.insert(c.command.end(), {"-o", written.string()});
      }
      WriteFile(home / c.input, input);
      c.command.push_back((home / c.input).string());
      CliRun run = home.Run(c.command);
      EXPECT_EQ(run.exit_code, 0) << run.err;
      EXPECT_EQ(run.out, written.string() + "\n");
      EXPECT_TRUE(BytesEqual(expected, ReadFile(written))) << c.output;
      if (form == Form::kOutputOption) {
        EXPECT_FALSE(fs::exists(home / c.output)) << c.output;
      }
    }
  }
}

TEST(CliConversions, CheckedConversionsRefuseAFaultAtItsLine) {
  ProgramFolder home;
  WriteFile(home / "a.srb", kFaultyText);
  const std::vector<std::string> commands[] = {{"html", "--pass-through"}, {"ymi"}, {"nnn"}};
  for (std::vector<std::string> command : commands) {
    command.push_back((home / "a.srb").string());
    CliRun run = home.Run(command);
    EXPECT_EQ(run.exit_code, 1) << command[0];
    EXPECT_EQ(run.err, kFaultOnLine2) << command[0];
    EXPECT_EQ(run.out, "");
  }
  EXPECT_FALSE(fs::exists(home / "aRb.htm"));
  EXPECT_FALSE(fs::exists(home / "a.ymi"));
  EXPECT_FALSE(fs::exists(home / "a.nnn"));
  // The ruby page itself never checks.
  EXPECT_EQ(home.Run({"html", (home / "a.srb").string()}).exit_code, 0);
  EXPECT_TRUE(fs::exists(home / "aRb.html"));
}

// A '}' that no '{' opened is a fault on a last line without a line break as on any other: the
// checked commands refuse it from a file and from standard input, and escape-braces replaces it.
TEST(CliConversions, UnopenedBraceOnTheLastLineIsAFault) {
  ProgramFolder home;
  const std::vector<std::string> commands[] = {
      {"check"}, {"ymi"}, {"nnn"}, {"html", "--pass-through"}, {"ruby"}};
  for (const std::string& text : {std::string("今日}"), Sjis("{漢字/かんじ}\r\n今日}")}) {
    WriteFile(home / "a.srb", text);
    WriteFile(home / "a.txt", text);
    for (const std::vector<std::string>& command : commands) {
      std::string named = (home / (command[0] == "ruby" ? "a.txt" : "a.srb")).string();
      for (const std::string& file : {std::string("-"), named}) {
        std::vector<std::string> args = command;
        args.push_back(file);
        CliRun run = home.RunWithInput(text, args);
        EXPECT_EQ(run.exit_code, 1) << command[0] << " " << file;
        EXPECT_TRUE(Contains(run.err, "行目::<{>と<}>の数が不一致。")) << command[0] << run.err;
      }
    }
  }
  for (std::string_view name : {"a.ymi", "a.nnn", "aRb.htm", "a.~srb"}) {
    EXPECT_FALSE(fs::exists(home / name)) << name;
  }
  EXPECT_EQ(ReadFile(home / "a.srb"), Sjis("{漢字/かんじ}\r\n今日}"));
  CliRun escaped = home.RunWithInput("今日}", {"escape-braces", "-"});
  EXPECT_EQ(escaped.exit_code, 0) << escaped.err;
  EXPECT_EQ(escaped.out, "今日∋");
}

// The browser is shown the page where it finally stands, in either encoding.
TEST(CliHtml, OpenStartsTheBrowserOnThePage) {
  ProgramFolder home;
  for (const std::string& ruby_file : {Golden("a.srb"), Utf8(Golden("a.srb"))}) {
    WriteFile(home / "a.srb", ruby_file);
    CliRun run =
        home.Run({"--set", "PROGRAM/WWWBROWSER=true", "html", "--open", (home / "a.srb").string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.err, "【ご報告！】 [ " + (home / "aRb.html").string() + " ] を表示します。\n");
  }
}

TEST(CliYmi, DialogRefusalWritesNothing) {
  ProgramFolder home;
  WriteFile(home / "list.lrb", Golden("list.lrb"));
  struct Case {
    std::vector<std::string> options;
    std::string message;
  };
  const Case cases[] = {
      {{"--range-mode", "1", "--first", "3", "--last", "2"},
       "【ご確認！】 左のフィールド≦右のフィールド にして下さい。\n"},
      {{"--part-mode", "1", "--mark", ""}, "【ご注意！】 行頭マーク文字列を指定して下さい。\n"},
      {{"--separator", "、"}, "【ご注意】 フィールド・セパレーターは\n半角１字です。\n"},
  };
  for (Case c : cases) {
    c.options.insert(c.options.begin(), "ymi");
    c.options.push_back((home / "list.lrb").string());
    CliRun run = home.Run(c.options);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_EQ(run.err, c.message);
  }
  EXPECT_FALSE(fs::exists(home / "list.ymi"));
}

TEST(CliNnn, TemplateWithoutMarkersRunsOnlyWhenConfirmed) {
  ProgramFolder home;
  WriteFile(home / "story.srb", Golden("story.srb"));
  std::vector<std::string> args = {"nnn", "--warn-markers", "--template", "<****1>",
                                   (home / "story.srb").string()};
  CliRun declined = home.Run(args);
  EXPECT_EQ(declined.exit_code, 1);
  EXPECT_TRUE(Contains(declined.err, "【〓警告〓】 ルビかな部<****4>がありません。\n"));
  EXPECT_FALSE(fs::exists(home / "story.nnn"));

  args.insert(args.begin(), "--yes");
  CliRun confirmed = home.Run(args);
  EXPECT_EQ(confirmed.exit_code, 0) << confirmed.err;
  EXPECT_EQ(ReadFile(home / "story.nnn"), Sjis("<漢字>\r\n"));
}

// The commands that print their result; the conversions themselves are the ruby window's.
TEST(CliRubyEdits, ResultsGoToStandardOutput) {
  ProgramFolder home;
  struct Case {
    std::vector<std::string> command;
    std::string text;
    std::string result;
  };
  const Case cases[] = {
      {{"kana", "--to", "katakana"},
       "{漢字/かんじ}と{仮名/かな}\r\n",
       "{漢字/カンジ}と{仮名/カナ}\r\n"},
      {{"strip", "--keep", "reading"}, "{漢字/かんじ}の{本/ほん}", "かんじのほん"},
      {{"first-reading"}, "{人/ひと|にん}と{本/ほん}\r\n", "{人/ひと}と{本/ほん}\r\n"},
      {{"--yes", "repair", "--kind", "3"}, "{お茶/おちゃ}を", "{お茶/オチャ}を"},
      {{"repair", "--kind", "1", "--selection", "{本/ほん}"}, "{本/ほん}と{本/ほん}", "本と本"},
  };
  for (Case c : cases) {
    WriteFile(home / "a.srb", Sjis(c.text));
    c.command.push_back((home / "a.srb").string());
    CliRun run = home.Run(c.command);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_TRUE(BytesEqual(Sjis(c.result), run.out)) << c.text;
  }
}

// A UTF-8 ruby file comes back in UTF-8 with its own line ends.
TEST(CliRubyEdits, Utf8FileGivesAUtf8Result) {
  ProgramFolder home;
  WriteFile(home / "a.srb", "{漢字/かんじ}と{仮名/かな}\n");
  CliRun run = home.Run({"kana", "--to", "katakana", (home / "a.srb").string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "{漢字/カンジ}と{仮名/カナ}\n");
}

TEST(CliRepair, RefusedSelectionLeavesTheOutputAlone) {
  ProgramFolder home;
  WriteFile(home / "a.srb", Sjis("{本/ほん}"));
  WriteFile(home / "out.srb", "kept");
  struct Case {
    std::vector<std::string> options;
    std::string complaint;
  };
  const Case cases[] = {
      {{"--selection", "漢字"}, "【注意!】 01:ルビ部の { ～ } までを選択してください。\n"},
      {{"--selection", "{山/やま}"}, "には指定された文字列がありません。"},
      {{}, "このまま実行しますか？\n  → No\n"},
  };
  for (Case c : cases) {
    std::vector<std::string> args = {"repair", "--kind", "1", "-o", (home / "out.srb").string()};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back((home / "a.srb").string());
    CliRun run = home.Run(args);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_TRUE(Contains(run.err, c.complaint)) << run.err;
    EXPECT_EQ(ReadFile(home / "out.srb"), "kept");
  }
}

TEST(CliSort, EqualLinesAreKeptOnceAndEmptyLinesDropped) {
  ProgramFolder home;
  WriteFile(home / "twice.pre", Golden("twice.pre"));
  CliRun run = home.Run({"sort", (home / "twice.pre").string(), "-o", (home / "out.pre").string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(BytesEqual(Golden("twice_sorted.pre"), ReadFile(home / "out.pre")));
}

TEST(CliDupcheck, ExitStatusTellsWhetherADuplicateWasFound) {
  ProgramFolder home;
  WriteFile(home / "a.pre", Sjis("漢字,かん*じ\r\n漢字,から*じ\r\n"));
  CliRun found = home.Run({"dupcheck", (home / "a.pre").string()});
  EXPECT_EQ(found.exit_code, 1);
  EXPECT_EQ(found.err, "【発見!!】 18 ﾊﾞｲﾄ目 :: 1 行 及び 2 行 :: 2 字 \n\n重複文字＝[ 漢字 ]\n");

  WriteFile(home / "b.pre", Sjis("漢字,かん*じ\r\n\r\n漢字,かん*じ\r\n"));
  CliRun none = home.Run({"dupcheck", (home / "b.pre").string()});
  EXPECT_EQ(none.exit_code, 0);
  EXPECT_EQ(none.err,
            "【重複チェック完了】 第１ﾌｨ-ﾙﾄﾞの重複行は\n(もう)ありません。\n\nお疲れ様！\n");
}

}  // namespace
}  // namespace cli
