// The export command through cli::Run: the file of each format beside the ruby file, at -o or
// on standard output, in either encoding of the ruby file; the choices; and what is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

constexpr std::string_view kZipStart = "PK\x03\x04";

bool Holds(const std::string& text, std::string_view piece) {
  return text.find(piece) != std::string::npos;
}

TEST(CliExport, EachFormatIsWrittenBesideTheRubyFileInEitherEncoding) {
  struct Case {
    std::string format, file;
    std::string_view start;
  };
  const Case cases[] = {{"odt", "story.odt", kZipStart},
                        {"docx", "story.docx", kZipStart},
                        {"html5", "story.html", "<!DOCTYPE html>"}};
  const std::string utf8 = "{漢/かん}{字/じ}を{書/か}く。\n";
  for (bool sjis : {true, false}) {
    for (const Case& c : cases) {
      ProgramFolder home;
      WriteFile(home / "story.srb", sjis ? Sjis(utf8) : utf8);
      CliRun run = home.Run({"export", "--format", c.format, (home / "story.srb").string()});
      EXPECT_EQ(run.exit_code, 0) << run.err;
      EXPECT_EQ(run.out, (home / c.file).string() + "\n");
      std::string written = ReadFile(home / c.file);
      EXPECT_EQ(written.substr(0, c.start.size()), c.start) << c.file;
    }
  }
}

// The page is UTF-8 from a Shift_JIS ruby file too, and the choices reach it.
TEST(CliExport, ChoicesReachThePage) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> present, absent;
  };
  const Case cases[] = {
      {{"export"},
       {"<ruby>雨<rt>あめ</rt></ruby>と<ruby>雨<rt>あめ</rt></ruby>"},
       {"class=\"vertical\""}},
      {{"export", "--first-occurrence", "document"},
       {"<ruby>雨<rt>あめ</rt></ruby>と雨</p>\n<p>雨</p>"},
       {}},
      {{"--set", "RUBIRANGE/FIRSTRUBY=2", "export"},
       {"<ruby>雨<rt>あめ</rt></ruby>と雨</p>\n<p><ruby>雨<rt>あめ</rt></ruby></p>"},
       {}},
      {{"export", "--vertical"}, {"<html lang=\"ja\" class=\"vertical\">"}, {}},
  };
  for (Case c : cases) {
    ProgramFolder home;
    WriteFile(home / "story.srb", Sjis("{雨/あめ}と{雨/あめ}\r\n{雨/あめ}\r\n"));
    c.args.push_back((home / "story.srb").string());
    CliRun run = home.Run(c.args);
    ASSERT_EQ(run.exit_code, 0) << run.err;
    std::string page = ReadFile(home / "story.html");
    for (const std::string& piece : c.present) EXPECT_TRUE(Holds(page, piece)) << piece;
    for (const std::string& piece : c.absent) EXPECT_FALSE(Holds(page, piece)) << piece;
  }
}

TEST(CliExport, StandardInputAndOutputFileAreServed) {
  ProgramFolder home;
  CliRun streamed = home.RunWithInput(Sjis("{空/そら}\r\n"), {"export", "--format", "odt", "-"});
  EXPECT_EQ(streamed.exit_code, 0) << streamed.err;
  EXPECT_EQ(streamed.out.substr(0, kZipStart.size()), kZipStart);
  EXPECT_TRUE(Holds(streamed.out, "mimetypeapplication/vnd.oasis.opendocument.text"));
  WriteFile(home / "a.srb", Sjis("{空/そら}\r\n"));
  fs::path out = home / "sheet.docx";
  CliRun run =
      home.Run({"export", "--format", "docx", (home / "a.srb").string(), "-o", out.string()});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(ReadFile(out).substr(0, kZipStart.size()), kZipStart);
  EXPECT_FALSE(fs::exists(home / "a.docx"));
}

// A file beside the ruby file that someone changed is kept before it is replaced; one the
// program wrote and nobody touched is simply replaced.
TEST(CliExport, EditedFileIsKeptAsItsBackup) {
  ProgramFolder home;
  WriteFile(home / "a.srb", Sjis("{空/そら}\r\n"));
  const std::vector<std::string> args = {"export", (home / "a.srb").string()};
  ASSERT_EQ(home.Run(args).exit_code, 0);
  ASSERT_EQ(home.Run(args).exit_code, 0);
  EXPECT_FALSE(fs::exists(home / "a.~html"));
  WriteFile(home / "a.html", "edited by hand");
  ASSERT_EQ(home.Run(args).exit_code, 0);
  EXPECT_EQ(ReadFile(home / "a.~html"), "edited by hand");
  EXPECT_TRUE(Holds(ReadFile(home / "a.html"), "<ruby>空<rt>そら</rt></ruby>"));
}

TEST(CliExport, RefusalsWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string text;
    int exit_code;
    std::string err;
  };
  const Case cases[] = {
      {{"--format", "pdf"}, "{空/そら}\r\n", 2, "--format wants odt, docx or html5, not 'pdf'"},
      {{"--first-occurrence", "page"},
       "{空/そら}\r\n",
       2,
       "--first-occurrence wants every, document or paragraph, not 'page'"},
      {{}, Sjis("{漢字/かんじ}\r\n{漢字かんじ}\r\n"), 1, "2 行目"},
      {{}, "", 1, "表示する内容がありません"},
      {{"-o", "SELF"}, "{空/そら}\r\n", 1, ""},
  };
  for (const Case& c : cases) {
    ProgramFolder home;
    WriteFile(home / "a.srb", c.text);
    std::vector<std::string> args = {"export"};
    for (const std::string& arg : c.args)
      args.push_back(arg == "SELF" ? (home / "a.srb").string() : arg);
    args.push_back((home / "a.srb").string());
    CliRun run = home.Run(args);
    EXPECT_EQ(run.exit_code, c.exit_code) << c.err;
    EXPECT_TRUE(Holds(run.err, c.err)) << run.err;
    EXPECT_FALSE(fs::exists(home / "a.html")) << c.err;
    EXPECT_EQ(ReadFile(home / "a.srb"), c.text);
  }
}

}  // namespace
}  // namespace cli
