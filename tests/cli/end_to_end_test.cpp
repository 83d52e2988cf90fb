// Whole runs of the tool: a dictionary built from a source, a text given ruby, the ruby file
// checked and the dictionary restored, compared byte for byte with golden files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/encoding/text_encoding.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

std::string Golden(std::string_view name) { return cli::Golden("all_ruby", name); }

// A program folder whose main dictionary is built from the golden source.
class CliEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    CliRun built = home_.BuildDictionary("Qv_Body", Golden("Qv_Body.pre"));
    ASSERT_EQ(built.exit_code, 0) << built.err;
    ASSERT_TRUE(fs::exists(home_.DicDir() / "Qv_Body.dic"));
  }

  // The golden text in the program folder, given ruby with `options`; returns the run.
  CliRun RubyOfGoldenText(std::vector<std::string> options = {}) {
    WriteFile(home_ / "text.txt", Golden("text.txt"));
    options.insert(options.begin(), "ruby");
    options.push_back((home_ / "text.txt").string());
    return home_.Run(options);
  }

  std::string RubyFile() const { return ReadFile(home_ / "text.srb"); }

  ProgramFolder home_;
};

TEST_F(CliEndToEnd, AllRubyWritesTheGoldenRubyFile) {
  CliRun run = RubyOfGoldenText();
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, (home_ / "text.srb").string() + "\n");
  EXPECT_TRUE(BytesEqual(Golden("expected.srb"), RubyFile()));
}

// A UTF-8 text gives a UTF-8 ruby file with its own line ends and mark, whose text is that of
// the Shift_JIS text's ruby file.
TEST_F(CliEndToEnd, Utf8TextGivesTheSameRubyInUtf8) {
  struct Row {
    const char* what;
    std::string prefix;
    bool lf;
  };
  const Row rows[] = {{"CR LF", "", false}, {"LF", "", true}, {"mark", "\xEF\xBB\xBF", false}};
  std::string expected_utf8 = *common::Cp932ToUtf8(Golden("expected.srb"));
  std::string text_utf8 = *common::Cp932ToUtf8(Golden("text.txt"));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    std::string text = row.lf ? common::CrLfToLf(text_utf8) : text_utf8;
    WriteFile(home_ / "utf8.txt", row.prefix + text);
    CliRun run = home_.Run({"ruby", (home_ / "utf8.txt").string()});
    ASSERT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(run.out, (home_ / "utf8.srb").string() + "\n");
    std::string expected = row.lf ? common::CrLfToLf(expected_utf8) : expected_utf8;
    EXPECT_TRUE(BytesEqual(row.prefix + expected, ReadFile(home_ / "utf8.srb")));
  }
}

TEST_F(CliEndToEnd, CharacterShiftJisLacksIsRefusedWithItsPlace) {
  WriteFile(home_ / "snow.txt", "\xE4\xBB\x8A\xE6\x97\xA5\n\xE9\x9B\xAA\xE2\x98\x83\n");  // 今日 雪☃
  CliRun run = home_.Run({"ruby", (home_ / "snow.txt").string()});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(Contains(run.err, "の 2 行 2 字目の文字<\xE2\x98\x83>は Shift_JIS にありません。"))
      << run.err;
  EXPECT_FALSE(fs::exists(home_ / "snow.srb"));
}

TEST_F(CliEndToEnd, EncodingOptionOverridesTheGuess) {
  CliRun run = RubyOfGoldenText({"--encoding", "utf-8"});
  EXPECT_EQ(run.exit_code, 1);  // Shift_JIS bytes are no UTF-8 characters
  EXPECT_FALSE(fs::exists(home_ / "text.srb"));
  run = RubyOfGoldenText({"--encoding", "sjis"});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(BytesEqual(Golden("expected.srb"), RubyFile()));
}

TEST_F(CliEndToEnd, CheckOfTheRubyFileFindsNoFault) {
  std::string file = TestData("cli/all_ruby/expected.srb").string();
  CliRun run = home_.Run({"check", file});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, "【ファイル】: " + file +
                         "\n[ 1行(物理行)1字目］からCheck開始\n【総行数(論理行)】: 3 行\n"
                         "【総ルビ数】: 13 箇所\n\n不正な箇所はありません。\n");
}

TEST_F(CliEndToEnd, BuildReportIsPrintedInUtf8WhenAsked) {
  fs::path source = home_ / "names.pre";
  WriteFile(source, Sjis("日本,にっ*ぽん\r\n漢字,かんじ\r\n"));
  CliRun run = home_.Run({"--yes", "build-dic", source.string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(fs::exists(home_ / "names.dic"));
  EXPECT_TRUE(Contains(run.out, "2行目：<errnum=8>")) << run.out;
  EXPECT_TRUE(Contains(run.out, "合計語数= 1\n")) << run.out;
  EXPECT_TRUE(Contains(run.err, "個の不正データがあります。")) << run.err;
}

// Every refused line is counted and named in the report with its line number and a reason in
// words; a word of half-width letters is refused, not passed over, and the build names the
// dictionary it made.
TEST_F(CliEndToEnd, EveryRefusedLineIsCountedWithItsReason) {
  struct Line {
    const char* text;
    const char* reported;  // the report's line, or none for an accepted line
  } lines[] = {
      {"日本,にっ*ぽん", nullptr},
      {"ABC,えーびーしー", "2行目：<errnum=11>第１ﾌｨｰﾙﾄﾞに半角文字がある<半角文字削除>\n"},
      {"漢字かんじ", "3行目：<errnum=11>コンマ（,）がない<見出し語,読み の形にする>\n"},
      {"漢字,ーかん", "4行目：<errnum=2>読みが ー（音引き）で始まっている。\n"},
      {"漢字,かんじ", "5行目：<errnum=8>漢字数と読み数が一致しない"},
  };
  std::string source;
  for (const Line& line : lines) source += Sjis(line.text) + "\r\n";
  WriteFile(home_ / "names.pre", source);
  CliRun run = home_.Run({"--yes", "build-dic", (home_ / "names.pre").string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  for (const Line& line : lines) {
    if (line.reported != nullptr) {
      EXPECT_TRUE(Contains(run.out, line.reported)) << line.text;
    }
  }
  EXPECT_TRUE(Contains(run.out, "Error 総数= 4\n")) << run.out;
  EXPECT_TRUE(Contains(run.err, " 4 個の不正データがあります。")) << run.err;
  EXPECT_TRUE(Contains(run.err, "2行目：見出し語（第１フィールド）に半角文字 「A」 があります。"))
      << run.err;
  EXPECT_TRUE(Contains(run.err, "3行目：コンマ（,）がありません。")) << run.err;
  EXPECT_TRUE(Contains(run.err, "辞書 names.dic を作成・更新しました。")) << run.err;
  EXPECT_FALSE(Contains(run.err, "ch0")) << run.err;
}

// That the restored source builds the same bytes is tested with dictionary/restore.
TEST_F(CliEndToEnd, RestoreWritesTheSourceBesideTheDictionary) {
  fs::path copy = home_ / "copy.dic";
  fs::copy_file(home_.DicDir() / "Qv_Body.dic", copy);
  CliRun run = home_.Run({"restore-dic", copy.string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, (home_ / "copy.pre").string() + "\n");
  EXPECT_TRUE(Contains(ReadFile(home_ / "copy.pre"), Sjis("漢字,かん*じ\r\n")));
  // Declined, the source stays as it is, and nothing is called a failure.
  WriteFile(home_ / "copy.pre", "mine");
  CliRun declined = home_.Run({"--no", "restore-dic", copy.string()});
  EXPECT_EQ(declined.exit_code, 1);
  EXPECT_EQ(ReadFile(home_ / "copy.pre"), "mine");
  EXPECT_FALSE(Contains(declined.err, "失敗")) << declined.err;
}

// The user dictionary is the one --user-dic names, else the selected registered one, else the
// standard one; a selection outside the registry's ten slots selects none.
TEST_F(CliEndToEnd, UserDictionaryIsTheGivenTheSelectedOrTheStandardOne) {
  ASSERT_EQ(home_.BuildDictionary("mine", Sjis("日本,にっ*ぽん\r\n")).exit_code, 0);
  ASSERT_EQ(home_.BuildDictionary("Qv_Users", Sjis("日本,に*ほん\r\n")).exit_code, 0);
  std::string mine = (home_.DicDir() / "mine.dic").string();
  struct Case {
    std::vector<std::string> options;
    std::string selection;
    std::string last_line;
  };
  const Case cases[] = {
      {{}, "DIC_NUM=0", "漢の国と{日/にっ}{本/ぽん}。"},
      {{}, "DIC_NUM=1", "漢の国と{日/に}{本/ほん}。"},  // an empty slot
      {{}, "DIC_NUM=-5", "漢の国と{日/に}{本/ほん}。"},
      {{"--dic-mode", "2", "--user-dic", mine},
       "DIC_NUM=1",
       "{漢/かん|から}の国と{日/にっ}{本/ぽん}。"},
  };
  for (const Case& c : cases) {
    home_.WriteSettings(
        "[DICTIONARY]\r\nDIC_NAME0=mine\r\nDIC_FILE0=mine.dic\r\nDIC_PATTERN=1\r\n" + c.selection +
        "\r\n");
    ASSERT_EQ(RubyOfGoldenText(c.options).exit_code, 0) << c.selection;
    EXPECT_TRUE(Contains(RubyFile(), Sjis(c.last_line + "\r\n"))) << c.selection;
  }
}

TEST_F(CliEndToEnd, NonRubyAreaStringsGivenWithSetAreShiftJis) {
  WriteFile(home_ / "text.txt", Sjis("【漢字】漢字\r\n"));
  CliRun run =
      home_.Run({"--set", "FUNCTION/NoRbBgn_Str=【", "--set", "FUNCTION/NoRbEnd_Str=】", "ruby",
                 "--nr-delete-start", "--nr-delete-end", (home_ / "text.txt").string()});
  ASSERT_EQ(run.exit_code, 0) << run.err;
  EXPECT_TRUE(BytesEqual(Sjis("漢字{漢/かん}{字/じ}\r\n"), RubyFile()));
}

}  // namespace
}  // namespace cli
