// The commands on the user's own files: UTF-8 texts given back in UTF-8, standard input in and
// the result out ("-"), and the refusals that leave nothing written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/encoding/text_encoding.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

std::string Golden(std::string_view name) { return cli::Golden("conversions", name); }
std::string Utf8(std::string_view sjis) { return *common::Cp932ToUtf8(sjis); }
std::string Sample(std::string_view name) {
  return ReadFile(TestData("../../data/sample/" + std::string(name)));
}

// The conversions a ruby file goes through, each with its golden input and output; a page's
// title names its document, which from standard input is a stand-in.
struct Conversion {
  std::vector<std::string> command;
  std::string input;
  std::string output;
};
const Conversion kConversions[] = {
    {{"ymi", "--first", "2"}, "list.lrb", "list.ymi"},
    {{"nnn", "--template", "<ruby>****1<rt>****4</rt></ruby>"}, "story.srb", "story.nnn"},
};

// From standard input the result is printed in the input's encoding and line ends.
TEST(CliUserText, StandardInputGivesItsResultOnStandardOutput) {
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", Sample("Qv_Body.pre")).exit_code, 0);
  for (Conversion c : kConversions) {
    std::string input = common::CrLfToLf(Utf8(Golden(c.input)));
    c.command.push_back("-");
    CliRun run = home.RunWithInput(input, c.command);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_TRUE(BytesEqual(common::CrLfToLf(Utf8(Golden(c.output))), run.out)) << c.output;
  }
  struct Case {
    std::vector<std::string> command;
    std::string input;
    std::string printed;
  };
  const Case cases[] = {
      {{"escape-braces", "-"}, "{注}本\n", "∈注∋本\n"},
      {{"check", "-"}, "{漢字/かんじ}\n", "標準入力"},
      {{"html", "-"}, "{漢字/かんじ}\n", "charset=UTF-8"},
      {{"html", "-"}, Sjis("{漢字/かんじ}\r\n"), "charset=Shift_JIS"},
      {{"kana", "--to", "katakana", "-"}, "{漢字/かんじ}\r\n", "{漢字/カンジ}\r\n"},
      {{"ruby", "-"}, "今日は雨です。\n", "{今日/きょう}は{雨/あめ}です。\n"},
  };
  for (const Case& c : cases) {
    CliRun run = home.RunWithInput(c.input, c.command);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, c.printed)) << run.out;
  }
}

TEST(CliUserText, FaultsOfAUtf8TextAreReportedAtTheirLine) {
  ProgramFolder home;
  WriteFile(home / "a.srb", "{漢字/かんじ}\n{漢字かんじ}\n");
  for (std::string command : {"check", "ymi", "nnn"}) {
    CliRun run = home.Run({command, (home / "a.srb").string()});
    EXPECT_EQ(run.exit_code, 1) << command;
    EXPECT_TRUE(Contains(run.err, "2 行目::")) << run.err;
  }
  EXPECT_FALSE(fs::exists(home / "a.ymi"));
}

// Dictionary sources may be UTF-8 too: a duplicate's place counts the file's own bytes, and a
// source from standard input builds the dictionary -o names.
TEST(CliUserText, DictionarySourcesMayBeUtf8) {
  ProgramFolder home;
  WriteFile(home / "a.pre", "漢字,かん*じ\r\n漢字,から*じ\r\n");
  CliRun found = home.Run({"dupcheck", (home / "a.pre").string()});
  EXPECT_EQ(found.exit_code, 1);
  EXPECT_TRUE(Contains(found.err, "【発見!!】 25 ﾊﾞｲﾄ目 :: 1 行 及び 2 行 :: 2 字")) << found.err;

  CliRun usage = home.RunWithInput("漢字,かん*じ\n", {"build-dic", "-"});
  EXPECT_EQ(usage.exit_code, 2);
  CliRun built = home.RunWithInput("漢字,かん*じ\n",
                                   {"--no", "build-dic", "-", "-o", (home / "mine.dic").string()});
  EXPECT_EQ(built.exit_code, 0) << built.err;
  WriteFile(home / "t.txt", "漢字\n");
  CliRun ruby = home.Run({"ruby", "--dic-mode", "0", "--main-dic", (home / "mine.dic").string(),
                          (home / "t.txt").string()});
  EXPECT_EQ(ruby.exit_code, 0) << ruby.err;
  EXPECT_EQ(ReadFile(home / "t.srb"), "{漢/かん}{字/じ}\n");
}

// Standard input is copied only up to --stdin-limit: more is refused with the limit named and
// nothing written, whatever the command; a bad limit is a usage error.
TEST(CliUserText, StandardInputPastItsLimitIsRefused) {
  ProgramFolder home;
  const std::string text = "{漢字/かんじ}\n";  // 19 bytes
  struct Case {
    std::string limit;
    std::vector<std::string> command;
    int exit_code;
  };
  const Case cases[] = {
      {"19", {"strip", "--keep", "base", "-"}, 0},
      {"18", {"strip", "--keep", "base", "-"}, 1},
      {"18", {"ruby", "-"}, 1},
      {"18", {"check", "-"}, 1},
      {"18", {"html", "-", "-o", (home / "page.html").string()}, 1},
      {"1K", {"sort", "-"}, 0},
      {"0", {"sort", "-"}, 2},
      {"12X", {"sort", "-"}, 2},
      {"99999999999999999999G", {"sort", "-"}, 2},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--stdin-limit", c.limit};
    args.insert(args.end(), c.command.begin(), c.command.end());
    CliRun run = home.RunWithInput(text, args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.limit << " " << c.command[0] << ": " << run.err;
    if (c.exit_code == 1) {
      EXPECT_TRUE(Contains(run.err, "上限の 18 バイトを超えた")) << run.err;
      EXPECT_TRUE(run.out.empty()) << run.out;
    }
  }
  EXPECT_FALSE(fs::exists(home / "page.html"));
}

// Every file written for a text ends its lines as the text's first line ends, from a file and
// from standard input alike, Shift_JIS or UTF-8; a text whose lines end both ways gives the
// passes' files its first line's end throughout.
TEST(CliUserText, WrittenFilesKeepTheLineEndsOfTheText) {
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", Sample("Qv_Body.pre")).exit_code, 0);
  struct Text {
    std::string name;
    std::string bytes;
    bool lf;      // the first line ends in LF alone
    bool mixed;   // its other lines end otherwise
  };
  // 。 ends in 0x82 in UTF-8, a Shift_JIS lead byte: the line feed after it is one all the same.
  const std::string lines[] = {"{今日/きょう}は雨。", "{雨/あめ}です", "今日"};
  auto join = [&](std::string_view first, std::string_view rest) {
    return std::string(lines[0]) + std::string(first) + lines[1] + std::string(rest) + lines[2] +
           std::string(rest);
  };
  const Text texts[] = {
      {"Shift_JIS LF", Sjis(join("\n", "\n")), true, false},
      {"Shift_JIS CR LF", Sjis(join("\r\n", "\r\n")), false, false},
      {"UTF-8 LF", join("\n", "\n"), true, false},
      {"UTF-8 CR LF", join("\r\n", "\r\n"), false, false},
      {"Shift_JIS LF, then CR LF", Sjis(join("\n", "\r\n")), true, true},
      {"UTF-8 CR LF, then LF", join("\r\n", "\n"), false, true},
  };
  struct Command {
    std::vector<std::string> args;
    bool keeps_other_ends;  // changes the text in place, keeping the ends of a CR LF text's lines
  };
  const Command commands[] = {
      {{"ruby"}, false},       {{"ymi", "--first", "1"}, false},
      {{"nnn"}, false},        {{"html"}, false},
      {{"kana", "--to", "katakana"}, true},
      {{"strip", "--keep", "base"}, true},
      {{"escape-braces"}, true},
  };
  int n = 0;
  for (const Text& text : texts) {
    WriteFile(home / "a.txt", text.bytes);
    for (const Command& command : commands) {
      for (bool from_file : {true, false}) {
        std::string out = (home / ("out" + std::to_string(++n))).string();
        std::vector<std::string> args = command.args;
        args.insert(args.end(), {from_file ? (home / "a.txt").string() : "-", "-o", out});
        CliRun run = home.RunWithInput(text.bytes, args);
        ASSERT_EQ(run.exit_code, 0) << text.name << " " << args[0] << ": " << run.err;
        std::string written = ReadFile(out);
        std::string where = text.name + ", " + args[0] + (from_file ? " from a file" : " from -");
        std::size_t first_end = written.find('\n');
        ASSERT_NE(first_end, std::string::npos) << where;
        EXPECT_EQ(first_end > 0 && written[first_end - 1] == '\r', !text.lf) << where;
        auto line_feeds = static_cast<std::size_t>(std::count(written.begin(), written.end(), '\n'));
        std::size_t cr_lfs = written.size() - common::CrLfToLf(written).size();
        if (text.lf) {
          EXPECT_EQ(cr_lfs, 0u) << where;
        } else if (!text.mixed || !command.keeps_other_ends) {
          EXPECT_EQ(cr_lfs, line_feeds) << where;
        }
      }
    }
  }
}

TEST(CliUserText, OutputOptionTakesOneText) {
  ProgramFolder home;
  CliRun run = home.Run({"ruby", "-o", (home / "x.srb").string(), "a.txt", "b.txt"});
  EXPECT_EQ(run.exit_code, 2);
  CliRun open = home.RunWithInput("", {"html", "--open", "-"});
  EXPECT_EQ(open.exit_code, 2);
}

}  // namespace
}  // namespace cli
