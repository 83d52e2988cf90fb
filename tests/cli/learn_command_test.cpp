// learn: corrections of a ruby file reach the user dictionary, and the next run reads them so,
// by the dictionary alone and in context; a word the dictionary reads otherwise is left alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/encoding/cp932.h"
#include "jobs/learn_job.h"
#include "tests/cli/cli_runner.h"

namespace cli {
namespace {

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
  std::size_t at = text.find(Sjis(from));
  if (at == std::string::npos) return text;
  return text.replace(at, Sjis(from).size(), Sjis(to));
}

bool Holds(const std::string& text, std::string_view piece) {
  return text.find(Sjis(piece)) != std::string::npos;
}

class CliLearn : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    CliRun main = home_.BuildDictionary(
        "Qv_Body", Sjis("今日,*きょう\r\n大学生,だい*がく*せい\r\n人,ひと\r\n会う,あ\r\n"));
    ASSERT_EQ(main.exit_code, 0) << main.err;
    CliRun user = home_.BuildDictionary("Qv_Users", Sjis("# mine\r\n人,ひと\r\n"));
    ASSERT_EQ(user.exit_code, 0) << user.err;
  }

  // The ruby file of `text` (UTF-8) as a run in the mode under test writes it.
  std::string RubyOf(std::string_view name, std::string_view text) {
    WriteFile(home_ / name, Sjis(text));
    CliRun run = home_.Run({"ruby", "--dic-mode", "2", std::string("--reading=") + GetParam(),
                            (home_ / name).string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return ReadFile((home_ / name).replace_extension(".srb"));
  }

  CliRun Learn(const std::string& corrected, bool dry_run) {
    WriteFile(home_ / "story.srb", corrected);
    std::vector<std::string> args = {"--yes", "learn", "--dic-mode", "2",
                                     std::string("--reading=") + GetParam()};
    if (dry_run) args.push_back("--dry-run");
    args.push_back((home_ / "story.txt").string());
    args.push_back((home_ / "story.srb").string());
    return home_.Run(args);
  }

  ProgramFolder home_;
};

TEST_P(CliLearn, CorrectedWordsAreReadSoByTheNextRun) {
  std::string fresh = RubyOf("story.txt", "今日は大学生の人と会う。\r\n");
  ASSERT_TRUE(Holds(fresh, "{今日/きょう}") && Holds(fresh, "{生/せい}") &&
              Holds(fresh, "{人/ひと}"))
      << common::Cp932ToUtf8Lossy(fresh);
  std::string corrected = Replaced(
      Replaced(Replaced(fresh, "{今日/きょう}", "{今日/こんにち}"), "{生/せい}", "{生/なま}"),
      "{人/ひと}", "{人/にん}");
  const std::string source_before = ReadFile(home_.DicDir() / "Qv_Users.pre");

  CliRun dry = Learn(corrected, /*dry_run=*/true);
  EXPECT_EQ(dry.exit_code, 0) << dry.err;
  EXPECT_EQ(ReadFile(home_.DicDir() / "Qv_Users.pre"), source_before);

  CliRun learned = Learn(corrected, /*dry_run=*/false);
  EXPECT_EQ(learned.exit_code, 0) << learned.err;
  EXPECT_EQ(learned.out, dry.out);
  EXPECT_EQ(learned.out,
            "add 今日,*こんにち\nadd 大学生,だい*がく*なま\nconflict 人,にん (kept: 人,ひと)\n");
  EXPECT_EQ(ReadFile(home_.DicDir() / "Qv_Users.~pre"), source_before);
  EXPECT_EQ(ReadFile(home_.DicDir() / "Qv_Users.pre"),
            source_before + Sjis("今日,*こんにち\r\n大学生,だい*がく*なま\r\n"));

  std::string next = RubyOf("next.txt", "人と大学生が今日来た。\r\n");
  EXPECT_TRUE(Holds(next, "{今日/こんにち}")) << common::Cp932ToUtf8Lossy(next);
  EXPECT_TRUE(Holds(next, "{大/だい}{学/がく}{生/なま}")) << common::Cp932ToUtf8Lossy(next);
  EXPECT_TRUE(Holds(next, "{人/ひと}")) << common::Cp932ToUtf8Lossy(next);

  // Learnt once, the words are what a fresh run reads: only the conflict is left, and the
  // source stays as it is.
  const std::string source_after = ReadFile(home_.DicDir() / "Qv_Users.pre");
  CliRun again = Learn(corrected, /*dry_run=*/false);
  EXPECT_EQ(again.exit_code, 0) << again.err;
  EXPECT_EQ(again.out, "conflict 人,にん (kept: 人,ひと)\n");
  EXPECT_EQ(ReadFile(home_.DicDir() / "Qv_Users.pre"), source_after);
}

INSTANTIATE_TEST_SUITE_P(BothReadings, CliLearn, ::testing::Values("dictionary", "context"));

// A verb corrected where its okurigana follow is learnt in its forms, so that the next run reads
// its other endings so and leaves the kanji alone in other words.
TEST(CliLearnOkurigana, AVerbIsLearntWithItsOkurigana) {
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", Sjis("行わ,い\r\n行い,い\r\n行う,い\r\n行く,い\r\n"
                                                 "行か,い\r\n銀行,ぎん*こう\r\n"))
                .exit_code,
            0);
  ASSERT_EQ(home.BuildDictionary("Qv_Users", Sjis("人,ひと\r\n")).exit_code, 0);
  auto ruby = [&](std::string_view name, std::string_view text) {
    WriteFile(home / name, Sjis(text));
    CliRun run = home.Run({"ruby", "--dic-mode", "2", "--reading=dictionary",
                           (home / name).string()});
    EXPECT_EQ(run.exit_code, 0) << run.err;
    return ReadFile((home / name).replace_extension(".srb"));
  };
  std::string fresh = ruby("story.txt", "式を行う。\r\n");
  ASSERT_TRUE(Holds(fresh, "{行/い}う")) << common::Cp932ToUtf8Lossy(fresh);
  WriteFile(home / "story.srb", Replaced(fresh, "{行/い}う", "{行/おこな}う"));
  CliRun learned = home.Run({"--yes", "learn", "--dic-mode", "2", "--reading=dictionary",
                             (home / "story.txt").string(), (home / "story.srb").string()});
  ASSERT_EQ(learned.exit_code, 0) << learned.err;
  EXPECT_EQ(learned.out, "add 行わ,おこな\nadd 行い,おこな\nadd 行う,おこな\n");

  std::string next = ruby("next.txt", "式を行わない。駅に行く。銀行へ。\r\n");
  for (const char* piece : {"{行/おこな}わ", "{行/い}く", "{銀/ぎん}{行/こう}"}) {
    EXPECT_TRUE(Holds(next, piece)) << piece << " in " << common::Cp932ToUtf8Lossy(next);
  }
}

// An installed program's folder links to the system's user dictionary, which nobody may write:
// learn makes the user's own copy, says so, and the next run reads the word as learnt.
TEST(CliLearnSystemDictionary, TheUsersOwnCopyIsLearntAndUsed) {
  namespace fs = std::filesystem;
  ProgramFolder system;
  ASSERT_EQ(system.BuildDictionary("Qv_Users", Sjis("人,ひと\r\n")).exit_code, 0);
  ProgramFolder home;
  ASSERT_EQ(home.BuildDictionary("Qv_Body", Sjis("今日,*きょう\r\n")).exit_code, 0);
  for (const char* name : {"Qv_Users.pre", "Qv_Users.dic"}) {
    fs::permissions(system.DicDir() / name, fs::perms::owner_read, fs::perm_options::replace);
    fs::create_symlink(system.DicDir() / name, home.DicDir() / name);
  }
  fs::permissions(system.DicDir(), fs::perms::owner_read | fs::perms::owner_exec,
                  fs::perm_options::replace);
  const std::string system_source = ReadFile(system.DicDir() / "Qv_Users.pre");
  WriteFile(home / "story.txt", Sjis("今日は晴れ。\r\n"));
  WriteFile(home / "story.srb", Sjis("{今日/こんにち}は晴れ。\r\n"));

  CliRun learned = home.Run({"--yes", "learn", "--dic-mode", "2", "--reading=dictionary",
                             (home / "story.txt").string(), (home / "story.srb").string()});
  CliRun next = home.Run({"ruby", "--dic-mode", "2", "--reading=dictionary",
                          (home / "story.txt").string()});
  fs::permissions(system.DicDir(), fs::perms::owner_all);
  ASSERT_EQ(learned.exit_code, 0) << learned.err;
  EXPECT_NE(learned.err.find("システムの辞書"), std::string::npos) << learned.err;
  EXPECT_EQ(ReadFile(home.DicDir() / "Qv_Users.pre"), system_source + Sjis("今日,*こんにち\r\n"));
  EXPECT_EQ(ReadFile(system.DicDir() / "Qv_Users.pre"), system_source);
  EXPECT_TRUE(Holds(ReadFile(home / "story.srb"), "{今日/こんにち}"));
  EXPECT_EQ(next.exit_code, 0) << next.err;
}

// Where a correction sits inside a run, the whole run is the word; what is not a correction,
// and a file of another text, teach nothing.
TEST(CorrectedWords, TakeTheWholeRunOfACorrection) {
  struct Case {
    const char* fresh;
    const char* corrected;
    std::vector<std::string> lines;  // nullopt result: {"-"}
  };
  const Case cases[] = {
      {"{大/だい}{学/がく}{生/せい}です",
       "{大/だい}{学/がく}{生/なま}です",
       {"大学生,だい*がく*なま"}},
      {"{今日/きょう}は", "{今/こん}{日/にち}は", {"今日,こん*にち"}},
      {"{今/こん}{日/にち}は", "{今日/きょう}は", {"今日,*きょう"}},
      {"{人/ひと}と{人/ひと}", "{人/にん}と{人/にん}", {"人,にん"}},
      {"{人/ひと}と", "人と", {}},
      {"{人/ひと}と\r\n{山/やま}", "{人/ひと}と\n{山/やま}", {}},
      {"{人/ひと}と", "{人/ひと}が", {"-"}},
  };
  for (const Case& c : cases) {
    std::optional<std::vector<jobs::LearnedWord>> words =
        jobs::CorrectedWords(Sjis(c.fresh), Sjis(c.corrected));
    std::vector<std::string> lines;
    if (!words) lines.push_back("-");
    for (const jobs::LearnedWord& word : words.value_or(std::vector<jobs::LearnedWord>{})) {
      lines.push_back(common::Cp932ToUtf8Lossy(word.SourceLine()));
    }
    EXPECT_EQ(lines, c.lines) << c.corrected;
  }
}

// A word the source holds is known with its reading and a conflict with another (the source's
// line kept); comments and refused lines hold no word; of two readings learnt for one word the
// first is added and the second is a conflict.
TEST(PlanLearning, SourceWordsAreNeverReplaced) {
  const std::string source = Sjis("# 山,さん\r\n人,ひと\r\nABC,えー\r\n");
  std::vector<jobs::LearnedWord> words;
  for (const char* line : {"人,ひと", "人,にん", "山,やま", "川,かわ", "川,せん"}) {
    std::string sjis = Sjis(line);
    words.push_back({sjis.substr(0, sjis.find(',')), sjis.substr(sjis.find(',') + 1)});
  }
  jobs::LearnPlan plan = jobs::PlanLearning(words, source);
  auto lines = [](const std::vector<jobs::LearnedWord>& listed) {
    std::vector<std::string> out;
    for (const jobs::LearnedWord& word : listed) {
      out.push_back(common::Cp932ToUtf8Lossy(word.SourceLine()));
    }
    return out;
  };
  EXPECT_EQ(lines(plan.added), (std::vector<std::string>{"山,やま", "川,かわ"}));
  EXPECT_EQ(lines(plan.known), (std::vector<std::string>{"人,ひと"}));
  EXPECT_EQ(lines(plan.conflicts), (std::vector<std::string>{"人,にん", "川,せん"}));
  EXPECT_EQ(plan.held, (std::vector<std::string>{Sjis("人,ひと"), Sjis("川,かわ")}));
}

}  // namespace
}  // namespace cli
