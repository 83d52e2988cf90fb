// What the grade and the level dictionary builds share: golden bytes from lists in either
// encoding, the one backup of an old dictionary, the cancelled overwrite, the target that
// cannot be replaced, and the wrapper's word on the outcome.
#include <gtest/gtest.h>

#include "common/encoding/text_encoding.h"
#include "common/status.h"
#include "dictionary/build_command.h"
#include "dictionary/level_source.h"
#include "tests/dictionary/dictionary_fixtures.h"

namespace dictionary {
namespace {

using common::CodeOf;
using common::ProgramDir;
using common::TextEncoding;

// One of the two builds. Messages say "@" for the dictionary's path.
struct Kind {
  const char* name;
  fs::path (ProgramDir::*dictionary)() const;
  // Writes the golden lists in `encoding`, or with `golden` false lists of one kanji.
  void (*write_lists)(const ProgramDir& program, bool golden, TextEncoding encoding);
  // Builds, through the wrapper when `work` is given; the status's code.
  int (*build)(const ProgramDir& program, const common::WorkDir* work, common::Messenger& m);
  const char *golden, *backup;
  TextEncoding utf8_form;
  const char *overwrite_title, *overwrite_text, *unwritable_title, *unwritable_text;
  std::size_t size;  // built from the one-kanji lists
  int declined, unwritable;
};

std::string InForm(const std::string& sjis_file, TextEncoding encoding) {
  return common::FromShiftJis(ReadFile(TestData(sjis_file)), encoding);
}

const Kind kGrade = {
    "grade", &ProgramDir::GradeDictionary,
    [](const ProgramDir& program, bool golden, TextEncoding encoding) {
      fs::create_directories(program.DicDir());
      WriteFile(program.GradeSource(), golden ? InForm("dictionary/grade_small/source.txt", encoding)
                                              : Sjis("1\t一\t1\tいち\r\n"));
    },
    // A failure that still counts kanji written (the count the settings then keep) gives 0,
    // which no test expects.
    [](const ProgramDir& program, const common::WorkDir* work, common::Messenger& messenger) {
      GradeBuildResult result = work ? RunGradeBuild(program, *work, messenger)
                                     : BuildGradeDictionary(program, messenger);
      bool ok = result.status == GradeBuildStatus::kOk;
      return ok || result.kanji_count == 0 ? CodeOf(result.status) : 0;
    },
    "dictionary/grade_small/HaitouNen.dic", "HaitouNen.di$", TextEncoding::kUtf8WithBom,
    "ご確認!!",
    "haitouNen.dic はすでに存在します。作成しますか？\n（旧ファイルは拡張子<.di$>に改名されます。）",
    "", "< haitouNen.dic > に書き込めない。\n元の辞書はそのまま残っています。", 16000,
    CodeOf(GradeBuildStatus::kOverwriteDeclined), CodeOf(GradeBuildStatus::kCannotCreate)};

const Kind kLevel = {
    "level", &ProgramDir::LevelDictionary,
    [](const ProgramDir& program, bool golden, TextEncoding encoding) {
      fs::create_directories(program.LevelSourceDir());
      for (std::string_view name : kLevelSourceNames) {
        WriteFile(program.LevelSourceDir() / name,
                  golden ? InForm("dictionary/level_small/q_file/" + std::string(name), encoding)
                         : "# none\r\n");
      }
    },
    [](const ProgramDir& program, const common::WorkDir* work, common::Messenger& messenger) {
      return CodeOf(work ? RunLevelBuild(program, *work, messenger)
                         : BuildLevelDictionary(program, messenger));
    },
    "dictionary/level_small/kanken_Q.dic", "kanken_Q.~dic", TextEncoding::kUtf8, "ご確認！",
    "<@>は既に存在しています。\n\n上書きしていいですか？", "ご注意!!",
    "@ に書き込めない。\n元の辞書はそのまま残っています。", 1824,
    CodeOf(LevelBuildStatus::kOverwriteDeclined), CodeOf(LevelBuildStatus::kFailed)};

class KanjiDictionaryBuild : public ::testing::TestWithParam<const Kind*> {
 protected:
  void SetUp() override { kind_.write_lists(program_, false, TextEncoding::kShiftJis); }
  int Build(const common::WorkDir* work = nullptr) { return kind_.build(program_, work, m_); }
  fs::path Dictionary() const { return (program_.*kind_.dictionary)(); }
  fs::path Backup() const { return program_.DicDir() / kind_.backup; }
  std::string Said(std::string text) const {
    if (std::size_t at = text.find('@'); at != std::string::npos) {
      text.replace(at, 1, Dictionary().string());
    }
    return text;
  }

  const Kind& kind_ = *GetParam();
  ScratchDir dir_;
  ProgramDir program_{dir_.Path()};
  RecordingMessenger m_;
};

TEST_P(KanjiDictionaryBuild, ListsInEitherEncodingGiveTheGoldenBytes) {
  for (TextEncoding encoding : {TextEncoding::kShiftJis, kind_.utf8_form}) {
    SCOPED_TRACE(static_cast<int>(encoding));
    kind_.write_lists(program_, true, encoding);
    fs::remove(Dictionary());
    ASSERT_EQ(Build(), 1);
    EXPECT_TRUE(BytesEqual(ReadFile(TestData(kind_.golden)), ReadFile(Dictionary())));
    EXPECT_TRUE(m_.records.empty());
  }
}

// A backup already there stays; the dictionary is still replaced.
TEST_P(KanjiDictionaryBuild, OverwriteKeepsTheFirstOldDictionaryAsTheOneBackup) {
  WriteFile(Dictionary(), "old");
  ASSERT_EQ(Build(), 1);
  ASSERT_TRUE(ShowedOnly(m_, kind_.overwrite_title, Said(kind_.overwrite_text)));
  EXPECT_EQ(ReadFile(Backup()), "old");
  WriteFile(Dictionary(), "newer");
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(ReadFile(Backup()), "old");
  EXPECT_EQ(ReadFile(Dictionary()).size(), kind_.size);
}

TEST_P(KanjiDictionaryBuild, CancelKeepsTheOldDictionaryAndMakesNoBackup) {
  WriteFile(Dictionary(), "old");
  m_.Script({Answer::kCancel});
  EXPECT_EQ(Build(), kind_.declined);
  EXPECT_EQ(ReadFile(Dictionary()), "old");
  EXPECT_FALSE(fs::exists(Backup()));
}

TEST_P(KanjiDictionaryBuild, TargetThatCannotBeReplacedLeavesNoStrayFile) {
  fs::create_directories(Dictionary() / "in the way");
  EXPECT_EQ(Build(), kind_.unwritable);
  ASSERT_TRUE(ShowedOnly(m_, kind_.unwritable_title, Said(kind_.unwritable_text)));
  EXPECT_EQ(std::distance(fs::directory_iterator(program_.DicDir()), {}), 2);
}

// The wrapper also clears what an earlier command left in the work folder.
TEST_P(KanjiDictionaryBuild, WrapperTellsTheOutcome) {
  common::WorkDir work(dir_.Path());
  WriteFile(dir_ / "users$$$.$$$", "left over");
  EXPECT_EQ(Build(&work), 1);
  std::string file = Dictionary().filename().string();
  ASSERT_TRUE(ShowedOnly(m_, "お知らせ", file + " を作成・更新しました。"));
  EXPECT_FALSE(fs::exists(dir_ / "users$$$.$$$"));
  m_.Script({Answer::kCancel});
  EXPECT_NE(Build(&work), 1);
  EXPECT_EQ(m_.records.back().title, "お知らせ");
  EXPECT_EQ(m_.records.back().text, file + " の作成・更新に\n失敗しました。");
}

INSTANTIATE_TEST_SUITE_P(Both, KanjiDictionaryBuild, ::testing::Values(&kGrade, &kLevel),
                         [](const auto& info) { return std::string(info.param->name); });

}  // namespace
}  // namespace dictionary
