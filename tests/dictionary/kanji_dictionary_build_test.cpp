// What the grade and the level dictionary builds share: golden bytes from lists in either
// encoding, the one backup of an old dictionary, the cancelled overwrite, the target that
// cannot be replaced, and the wrapper's word on the outcome.
#include <gtest/gtest.h>

#include "common/encoding/text_encoding.h"
#include "common/status.h"
#include "dictionary/build_command.h"
#include "dictionary/grade_dictionary.h"
#include "dictionary/level_dictionary.h"
#include "dictionary/level_source.h"
#include "tests/dictionary/dictionary_fixtures.h"

namespace dictionary {
namespace {

using Program = common::ProgramDir;

// One of the two builds, with the files and the words that set it apart.
struct Kind {
  const char* name;
  // Writes the build's lists into `program`: the golden lists in `encoding`, or with `golden`
  // false lists giving a dictionary that holds one kanji.
  void (*write_lists)(const Program& program, bool golden, common::TextEncoding encoding);
  int (*build)(const Program& program, common::Messenger& messenger);
  int (*wrapper)(const Program& program, const common::WorkDir& work, common::Messenger& m);
  fs::path (*dictionary)(const Program& program);
  const char* golden;  // under the test data
  const char* backup;  // in dic/
  common::TextEncoding utf8_form;
  const char* overwrite_title;
  std::string (*overwrite_text)(const Program& program);
  const char* unwritable_title;
  std::string (*unwritable_text)(const Program& program);
  std::size_t size;  // of a dictionary built from the one-kanji lists
  int declined;
  int unwritable;
};

std::string Converted(const fs::path& sjis_file, common::TextEncoding encoding) {
  return common::FromShiftJis(ReadFile(sjis_file), encoding);
}

const Kind kGrade = {
    "grade",
    [](const Program& program, bool golden, common::TextEncoding encoding) {
      fs::create_directories(program.DicDir());
      WriteFile(program.GradeSource(),
                golden ? Converted(TestData("dictionary/grade_small/source.txt"), encoding)
                       : Sjis("1\t一\t1\tいち\r\n"));
    },
    [](const Program& program, common::Messenger& messenger) {
      return common::CodeOf(BuildGradeDictionary(program, messenger).status);
    },
    [](const Program& program, const common::WorkDir& work, common::Messenger& messenger) {
      return common::CodeOf(RunGradeBuild(program, work, messenger).status);
    },
    [](const Program& program) { return program.GradeDictionary(); },
    "dictionary/grade_small/HaitouNen.dic",
    "HaitouNen.di$",
    common::TextEncoding::kUtf8WithBom,
    "ご確認!!",
    [](const Program&) -> std::string {
      return "haitouNen.dic はすでに存在します。作成しますか？\n"
             "（旧ファイルは拡張子<.di$>に改名されます。）";
    },
    "",
    [](const Program&) -> std::string {
      return "< haitouNen.dic > に書き込めない。\n元の辞書はそのまま残っています。";
    },
    16000,
    common::CodeOf(GradeBuildStatus::kOverwriteDeclined),
    common::CodeOf(GradeBuildStatus::kCannotCreate),
};

const Kind kLevel = {
    "level",
    [](const Program& program, bool golden, common::TextEncoding encoding) {
      fs::create_directories(program.LevelSourceDir());
      for (std::string_view name : kLevelSourceNames) {
        fs::path golden_list = TestData("dictionary/level_small/q_file/" + std::string(name));
        WriteFile(program.LevelSourceDir() / name,
                  golden ? Converted(golden_list, encoding) : "# none\r\n");
      }
    },
    [](const Program& program, common::Messenger& messenger) {
      return common::CodeOf(BuildLevelDictionary(program, messenger));
    },
    [](const Program& program, const common::WorkDir& work, common::Messenger& messenger) {
      return common::CodeOf(RunLevelBuild(program, work, messenger));
    },
    [](const Program& program) { return program.LevelDictionary(); },
    "dictionary/level_small/kanken_Q.dic",
    "kanken_Q.~dic",
    common::TextEncoding::kUtf8,
    "ご確認！",
    [](const Program& program) {
      return "<" + program.LevelDictionary().string() +
             ">は既に存在しています。\n\n上書きしていいですか？";
    },
    "ご注意!!",
    [](const Program& program) {
      return program.LevelDictionary().string() +
             " に書き込めない。\n元の辞書はそのまま残っています。";
    },
    1824,
    common::CodeOf(LevelBuildStatus::kOverwriteDeclined),
    common::CodeOf(LevelBuildStatus::kFailed),
};

class KanjiDictionaryBuild : public ::testing::TestWithParam<const Kind*> {
 protected:
  void SetUp() override { kind().write_lists(program_, false, common::TextEncoding::kShiftJis); }
  const Kind& kind() const { return *GetParam(); }
  int Build() { return kind().build(program_, messenger_); }
  fs::path Dictionary() const { return kind().dictionary(program_); }
  fs::path Backup() const { return program_.DicDir() / kind().backup; }

  ScratchDir dir_;
  Program program_{dir_.Path()};
  RecordingMessenger messenger_;
};

TEST_P(KanjiDictionaryBuild, ListsInEitherEncodingGiveTheGoldenBytes) {
  for (common::TextEncoding encoding : {common::TextEncoding::kShiftJis, kind().utf8_form}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    kind().write_lists(program_, true, encoding);
    fs::remove(Dictionary());
    ASSERT_EQ(Build(), 1);
    EXPECT_TRUE(BytesEqual(ReadFile(TestData(kind().golden)), ReadFile(Dictionary())));
    EXPECT_TRUE(messenger_.records.empty());
  }
}

TEST_P(KanjiDictionaryBuild, OverwriteKeepsTheFirstOldDictionaryAsTheOneBackup) {
  WriteFile(Dictionary(), "old");
  ASSERT_EQ(Build(), 1);
  ASSERT_TRUE(ShowedOnly(messenger_, kind().overwrite_title, kind().overwrite_text(program_)));
  EXPECT_EQ(ReadFile(Backup()), "old");
  // A backup already there stays; the dictionary is still replaced.
  WriteFile(Dictionary(), "newer");
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(ReadFile(Backup()), "old");
  EXPECT_EQ(ReadFile(Dictionary()).size(), kind().size);
}

TEST_P(KanjiDictionaryBuild, CancelKeepsTheOldDictionaryAndMakesNoBackup) {
  WriteFile(Dictionary(), "old");
  messenger_.Script({Answer::kCancel});
  EXPECT_EQ(Build(), kind().declined);
  EXPECT_EQ(ReadFile(Dictionary()), "old");
  EXPECT_FALSE(fs::exists(Backup()));
}

TEST_P(KanjiDictionaryBuild, TargetThatCannotBeReplacedLeavesNoStrayFile) {
  fs::create_directories(Dictionary() / "in the way");
  EXPECT_EQ(Build(), kind().unwritable);
  ASSERT_TRUE(ShowedOnly(messenger_, kind().unwritable_title, kind().unwritable_text(program_)));
  EXPECT_EQ(std::distance(fs::directory_iterator(program_.DicDir()), {}), 2);
}

// The wrapper also clears what an earlier command left in the work folder.
TEST_P(KanjiDictionaryBuild, WrapperTellsTheOutcome) {
  common::WorkDir work(dir_.Path());
  WriteFile(dir_ / "users$$$.$$$", "left over");
  EXPECT_EQ(kind().wrapper(program_, work, messenger_), 1);
  std::string file = Dictionary().filename().string();
  ASSERT_TRUE(ShowedOnly(messenger_, "お知らせ", file + " を作成・更新しました。"));
  EXPECT_FALSE(fs::exists(dir_ / "users$$$.$$$"));
  messenger_.Script({Answer::kCancel});
  EXPECT_NE(kind().wrapper(program_, work, messenger_), 1);
  EXPECT_EQ(messenger_.records.back().title, "お知らせ");
  EXPECT_EQ(messenger_.records.back().text, file + " の作成・更新に\n失敗しました。");
}

INSTANTIATE_TEST_SUITE_P(Both, KanjiDictionaryBuild, ::testing::Values(&kGrade, &kLevel),
                         [](const auto& info) { return std::string(info.param->name); });

}  // namespace
}  // namespace dictionary
