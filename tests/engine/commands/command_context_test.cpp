#include "engine/commands/command_context.h"

#include <gtest/gtest.h>

#include <string>

#include "dictionary/registry.h"
#include "engine/markings/caret_field.h"
#include "engine/commands/dictionary_use.h"
#include "tests/support/test_files.h"

namespace engine {
namespace {

using testing_support::Sjis;

// The main window's indicator and the user dictionary the passes open both come from the
// registry, whatever state a settings file left it in: a selection on an empty entry or past
// the last one means the standard user dictionary to both.
TEST(RubyCommandContext, IndicatorNamesTheDictionaryThePassesUse) {
  struct Row {
    const char* state;
    int registered;  // entries 0 … registered − 1 hold a name; entry 2 always does
    int selected;
    int pattern;
    const char* indicator;
    int used_entry;  // the entry the passes open, or -1 for the standard user dictionary
  };
  const Row rows[] = {
      {"standard alone", 3, -1, 1, "[標準pre]", -1},
      {"odd negative selection", 3, -5, 1, "[標準pre]", -1},
      {"registered alone", 3, 1, 1, "[作品]", 1},
      {"registered then main", 3, 2, 2, "[人名]＋[本体辞書]", 2},
      {"selection on an empty entry", 1, 2, 1, "[標準pre]", -1},
      {"selection on an empty entry then main", 1, 2, 2, "[標準pre]＋[本体辞書]", -1},
      {"selection past the entries", 3, 12, 2, "[標準pre]＋[本体辞書]", -1},
      {"main only", 3, 2, 0, "[本体辞書]", 2},
      {"unknown mode", 3, 2, 7, "[本体辞書]", 2},
  };
  const char* const names[] = {"地名", "作品", "人名"};
  common::ProgramDir program("/home/user/mirukaze");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.state);
    common::Settings settings;
    for (int i = 0; i < 3; ++i) {
      if (i < row.registered || i == 2) settings.dic_names[i] = Sjis(names[i]);
      settings.dic_files[i] = program.DicDir() / ("user" + std::to_string(i) + ".dic");
    }
    settings.dic_num = row.selected;
    settings.dic_pattern = row.pattern;

    RubyCommandContext context =
        RubyCommandContextOf(settings, program, common::WorkDir("/tmp/work"));
    EXPECT_EQ(dictionary::MainWindowIndicatorText(settings), row.indicator);
    EXPECT_EQ(context.user_dictionary, row.used_entry < 0
                                           ? program.StandardUserDictionary()
                                           : settings.dic_files[row.used_entry]);
    // A mode the passes refuse is shown as the main dictionary, which they never apply alone
    // by mistake: the command is refused instead.
    std::optional<DictionaryUse> use = DictionaryUseOf(row.pattern);
    bool shows_user = std::string(row.indicator) != "[本体辞書]";
    EXPECT_EQ(shows_user, use.has_value() && *use != DictionaryUse::kMainOnly);
  }
}

TEST(RubyCommandContext, TakesTheProgramFolderAndTheSettings) {
  common::Settings settings;
  settings.h_kanjisuu = 1006;
  common::ProgramDir program("/home/user/mirukaze");
  RubyCommandContext context =
      RubyCommandContextOf(settings, program, common::WorkDir("/tmp/work"));
  EXPECT_EQ(context.main_dictionary, program.MainDictionary());
  EXPECT_EQ(context.grade_dictionary, program.GradeDictionary());
  EXPECT_EQ(context.level_dictionary, program.LevelDictionary());
  EXPECT_EQ(context.jukujikun_list, program.SchoolJukujikunList());
  EXPECT_EQ(context.grade_kanji_count, 1006);
  EXPECT_EQ(context.work.Dir(), "/tmp/work");
  EXPECT_TRUE(context.document_path.empty());
  EXPECT_FALSE(context.ruby_window_open);
}

TEST(CaretField, CountsSeparatorsButNeverATrailByte) {
  struct Row {
    std::string line_head;
    std::string separator;
    int field;
  };
  const Row rows[] = {
      {"", ",", 1},
      {"a,b,c", ",", 3},
      {"a,b,c", "", 3},  // no separator chosen yet: the comma
      {"a\tb", "", 1},
      {"a\tb", "\t", 2},
      {Sjis("ソ\\x"), "\\", 2},  // ソ is 0x83 0x5C: only the lone backslash separates
  };
  for (const Row& row : rows) {
    EXPECT_EQ(CaretField(row.line_head, row.separator), row.field) << row.line_head;
  }
}

}  // namespace
}  // namespace engine
