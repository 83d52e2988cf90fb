#include "common/settings/settings.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <vector>

#include "common/settings/ini_file.h"
#include "tests/support/test_files.h"

namespace common {
namespace {

namespace fs = std::filesystem;

using testing_support::ReadFile;
using testing_support::ScratchDir;
using testing_support::Sjis;
using testing_support::WriteFile;

constexpr std::string_view kSettingsName = "qelvoVR11.ini";

// A program directory whose settings file holds `ini` (UTF-8 here, Shift_JIS on disk).
void WriteSettings(const ScratchDir& dir, std::string_view ini) {
  WriteFile(dir / kSettingsName, Sjis(ini));
}

std::string SavedFile(const ScratchDir& dir) { return ReadFile(dir / kSettingsName); }

std::optional<std::string> SavedValue(const ScratchDir& dir, std::string_view section,
                                      std::string_view key) {
  return IniFile::Parse(SavedFile(dir)).Get(section, key);
}

std::vector<std::string> SectionHeaders(std::string_view text) {
  std::vector<std::string> headers;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find("\r\n", start);
    std::string_view line = text.substr(start, end - start);
    if (line.starts_with('[')) headers.emplace_back(line);
    start = end + 2;
  }
  return headers;
}

// A missing file gives the defaults, paths in the program folder; saved, they list every
// section in its order.
TEST(Settings, MissingFileGivesTheDefaultsSavedInTheirOrder) {
  ScratchDir dir;
  Settings settings = LoadSettings(dir.Path());
  EXPECT_EQ(settings.user_path, dir.Path());
  EXPECT_EQ(settings.dic_files[9], dir.Path() / "dic" / "");
  ASSERT_TRUE(SaveSettings(dir.Path(), Settings()));
  std::string text = SavedFile(dir);
  std::vector<std::string> expected = {
      "[COLOR]",       "[POSITION]",  "[BROWSER]",     "[FONT]",       "[TABWIDTH]",
      "[PRINTYOHAKU]", "[PROGRAM]",   "[PATH]",        "[CNVSTR]",     "[SEIKEI]",
      "[GYOURUBI]",    "[SHUUSEI]",   "[APPLICATION]", "[DICTIONARY]", "[FUNCTION]",
      "[EDITAREASET]", "[RUBIRANGE]", "[RUBIKANQ]",    "[SPEAKSET]"};
  EXPECT_EQ(SectionHeaders(text), expected);
  EXPECT_TRUE(
      text.starts_with("[COLOR]\r\nMAINEDIT=16775885\r\nRbEDIT=14745599\r\nYMIEDIT=16770273\r\n"
                       "NNNEDIT=16113331\r\n[POSITION]\r\nMAINTOP=140\r\n"));
  EXPECT_NE(text.find("\r\nKAIGYOUFlAG=1\r\nKAIPAGEFlAG=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nCONVSTRING0=" + Sjis("〒****1****4〒") + "\r\nCONVSTRING1="),
            std::string::npos);
  EXPECT_NE(text.find("\r\nDIC_NAME9=\r\nDIC_FILE9=\r\nDIC_NUM=-1\r\n"), std::string::npos);
  EXPECT_EQ(text.find("RBCHNGEXEF"), std::string::npos);
  EXPECT_EQ(text.find("ALLRUBIFLAG"), std::string::npos);
  EXPECT_EQ(text.find("CHECBOX3"), std::string::npos);
  EXPECT_TRUE(text.ends_with("YOMIFLAG=1\r\nEFFECTFLAG=10\r\n"));
}

TEST(Settings, BrowserFlagIsReadUnderTheSavedSpelling) {
  ScratchDir dir;
  WriteSettings(dir, "[BROWSER]\r\nKAIGYOUFlAG=0\r\nKAIPAGEFLAG=0\r\n");
  Settings settings = LoadSettings(dir.Path());
  EXPECT_EQ(settings.mark_line_breaks, 0);
  EXPECT_EQ(settings.mark_page_breaks, 0);
}

struct Correction {
  std::string_view ini;
  int (*value)(const Settings&);
  int expected;
};

TEST(Settings, ValuesOutOfRangeOrUnreadableAreCorrectedOnLoad) {
  const Correction corrections[] = {
      {"[FONT]\r\nRBINTENSEMAX=500\r\n", [](const Settings& s) { return s.highlight_max; }, 1000},
      {"[FONT]\r\nRBINTENSEMAX=1500\r\n", [](const Settings& s) { return s.highlight_max; }, 1500},
      {"[DICTIONARY]\r\nDIC_NUM=10\r\n", [](const Settings& s) { return s.dic_num; }, -1},
      {"[DICTIONARY]\r\nDIC_NUM=9\r\n", [](const Settings& s) { return s.dic_num; }, 9},
      {"[DICTIONARY]\r\nDIC_NUM=-5\r\n", [](const Settings& s) { return s.dic_num; }, -5},
      {"[POSITION]\r\nGAMENDEFW=300\r\n", [](const Settings& s) { return s.standard_width; }, 500},
      {"[POSITION]\r\nGAMENDEFH=100\r\n", [](const Settings& s) { return s.standard_height; }, 400},
      // A main window too small is enlarged and moved away from the corner.
      {"[POSITION]\r\nMAINTOP=30\r\nMAINHEIGHT=200\r\n",
       [](const Settings& s) { return s.main_height; }, 400},
      {"[POSITION]\r\nMAINTOP=30\r\nMAINHEIGHT=200\r\n",
       [](const Settings& s) { return s.main_top; }, 100},
      {"[POSITION]\r\nMAINLEFT=40\r\nMAINWIDTH=300\r\n",
       [](const Settings& s) { return s.main_width; }, 500},
      {"[POSITION]\r\nMAINLEFT=40\r\nMAINWIDTH=300\r\n",
       [](const Settings& s) { return s.main_left; }, 100},
      // Integers that do not parse give the default.
      {"[RUBIRANGE]\r\nNENSITA=abc\r\n", [](const Settings& s) { return s.grade_low; }, 3},
      {"[RUBIRANGE]\r\nNENUE=\r\n", [](const Settings& s) { return s.grade_high; }, 5},
      {"[RUBIRANGE]\r\nFLDMIN=7x\r\n", [](const Settings& s) { return s.field_min; }, 1},
      {"[RUBIRANGE]\r\nFLDMAX= 6 \r\n", [](const Settings& s) { return s.field_max; }, 6},
      {"[RUBIRANGE]\r\nNENSETTYPE=99999999999\r\n",
       [](const Settings& s) { return s.grade_range_type; }, 1},
      {"[FUNCTION]\r\nNoRbYuko=5\r\n", [](const Settings& s) { return int{s.no_rb_yuko}; }, 1},
      {"[FUNCTION]\r\nNoRbYuko=0\r\n", [](const Settings& s) { return int{s.no_rb_yuko}; }, 0},
  };
  ScratchDir dir;
  for (const Correction& correction : corrections) {
    WriteSettings(dir, correction.ini);
    EXPECT_EQ(correction.value(LoadSettings(dir.Path())), correction.expected) << correction.ini;
  }
}

TEST(Settings, DictionaryFileIsFoundInTheDicFolderAndSavedByName) {
  ScratchDir dir;
  WriteSettings(dir,
                "[DICTIONARY]\r\nDIC_NAME2=私の辞書\r\nDIC_FILE2=abc.dic\r\n"
                "DIC_FILE3=漢字.dic\r\n");
  Settings settings = LoadSettings(dir.Path());
  EXPECT_EQ(settings.dic_names[2], Sjis("私の辞書"));
  EXPECT_EQ(settings.dic_files[2], dir.Path() / "dic" / "abc.dic");
  EXPECT_EQ(settings.dic_files[3], dir.Path() / "dic" / "漢字.dic");
  EXPECT_EQ(settings.dic_files[4], dir.Path() / "dic" / "");
  ASSERT_TRUE(SaveSettings(dir.Path(), settings));
  EXPECT_EQ(SavedValue(dir, "DICTIONARY", "DIC_FILE2"), "abc.dic");
  EXPECT_EQ(SavedValue(dir, "DICTIONARY", "DIC_FILE3"), Sjis("漢字.dic"));
  EXPECT_EQ(SavedValue(dir, "DICTIONARY", "DIC_FILE4"), "");
  EXPECT_EQ(SavedValue(dir, "DICTIONARY", "DIC_NAME2"), Sjis("私の辞書"));
}

TEST(Settings, MarginsAreSavedTruncatedTowardZeroAndFlagsAsOne) {
  ScratchDir dir;
  WriteSettings(dir, "[FUNCTION]\r\nNoRbYuko=5\r\n");
  Settings settings = LoadSettings(dir.Path());
  settings.margin_left = 4.9;  // margins are truncated toward zero
  settings.margin_right = -4.9;
  settings.margin_top = 12.0;
  ASSERT_TRUE(SaveSettings(dir.Path(), settings));
  EXPECT_EQ(SavedValue(dir, "PRINTYOHAKU", "PR_SATAN"), "4");
  EXPECT_EQ(SavedValue(dir, "PRINTYOHAKU", "PR_UTAN"), "-4");
  EXPECT_EQ(SavedValue(dir, "PRINTYOHAKU", "PR_JOUTAN"), "12");
  EXPECT_EQ(SavedValue(dir, "FUNCTION", "NoRbYuko"), "1");
}

TEST(Settings, ReadOnlyKeysKeepTheirStoredValues) {
  ScratchDir dir;
  WriteSettings(dir, "[SHUUSEI]\r\nRBCHNGEXEF=1\r\nALLRUBIFLAG=1\r\n[RUBIKANQ]\r\nCHECBOX3=7\r\n");
  Settings settings = LoadSettings(dir.Path());
  EXPECT_EQ(settings.repair_confirmed, 1);
  EXPECT_EQ(settings.repair_all_kinds, 1);
  EXPECT_EQ(settings.level_check_box, 7);
  settings.repair_confirmed = 0;
  settings.repair_all_kinds = 0;
  settings.level_check_box = 0;
  ASSERT_TRUE(SaveSettings(dir.Path(), settings));
  EXPECT_EQ(SavedValue(dir, "SHUUSEI", "RBCHNGEXEF"), "1");
  EXPECT_EQ(SavedValue(dir, "SHUUSEI", "ALLRUBIFLAG"), "1");
  EXPECT_EQ(SavedValue(dir, "RUBIKANQ", "CHECBOX3"), "7");
}

// Recent files keep their order and their gaps; a name Shift_JIS cannot hold is kept as is.
TEST(Settings, EverySettingSurvivesARoundTrip) {
  ScratchDir dir;
  Settings settings = LoadSettings(dir.Path());
  settings.nnn_templates[7] = Sjis("【****1】");
  settings.app_names[0] = Sjis("メモ帳");
  settings.app_paths[0] = "/usr/bin/mousepad";
  settings.user_path = dir.Path() / "文書";
  settings.no_rb_bgn_str = " <!-- ";
  settings.speak_rate = -3;
  settings.html_ruby_color = 0x00FF00;
  settings.level_range_type = 2;
  settings.level_high = 10;
  settings.desktop_keys = true;
  EXPECT_TRUE(settings.main_recent_files[0].empty());
  settings.main_recent_files[0] = dir.Path() / "物語.txt";
  settings.main_recent_files[1] = dir.Path() / "😀.txt";
  settings.ruby_recent_files[7] = dir.Path() / "a.srb";
  ASSERT_TRUE(SaveSettings(dir.Path(), settings));
  Settings next = LoadSettings(dir.Path());
  EXPECT_EQ(next.nnn_templates[7], settings.nnn_templates[7]);
  EXPECT_EQ(next.app_names[0], settings.app_names[0]);
  EXPECT_EQ(next.app_paths[0], settings.app_paths[0]);
  EXPECT_EQ(next.user_path, settings.user_path);
  EXPECT_EQ(next.no_rb_bgn_str, " <!-- ");
  EXPECT_EQ(next.speak_rate, -3);
  EXPECT_EQ(next.html_ruby_color, 0x00FF00);
  EXPECT_EQ(next.level_range_type, 2);
  EXPECT_EQ(next.level_high, 10);
  EXPECT_TRUE(next.desktop_keys);
  EXPECT_EQ(next.main_recent_files, settings.main_recent_files);
  EXPECT_EQ(next.ruby_recent_files, settings.ruby_recent_files);
}

TEST(Settings, UnknownKeysAndCommentsAreKeptOnSave) {
  ScratchDir dir;
  WriteSettings(dir,
                "; written by hand\r\n[RUBIRANGE]\r\nNENSITA=2\r\nMYKEY=keep me\r\n\r\n"
                "[MINE]\r\n; mine\r\nA=1\r\n");
  Settings settings = LoadSettings(dir.Path());
  settings.grade_low = 4;
  ASSERT_TRUE(SaveSettings(dir.Path(), settings));
  std::string text = SavedFile(dir);
  EXPECT_TRUE(
      text.starts_with("; written by hand\r\n[RUBIRANGE]\r\nNENSITA=4\r\nMYKEY=keep me\r\n"
                       "NENSETTYPE=1\r\n"))
      << text;
  EXPECT_NE(text.find("\r\n\r\n[MINE]\r\n; mine\r\nA=1\r\n[COLOR]\r\n"), std::string::npos);
  Settings next = LoadSettings(dir.Path());
  EXPECT_EQ(next.grade_low, 4);
}

TEST(Settings, SettingsFileThatCannotBeReadIsNotReplaced) {
  ScratchDir dir;
  fs::create_directory(dir / kSettingsName);
  Settings settings = LoadSettings(dir.Path());
  EXPECT_EQ(settings.grade_low, 3);
  EXPECT_FALSE(SaveSettings(dir.Path(), settings));
  EXPECT_TRUE(fs::is_directory(dir / kSettingsName));
}

TEST(Settings, ReadOnlyProgramFolderLeavesTheOldFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  ScratchDir dir;
  std::string old_text = "[RUBIRANGE]\r\nNENSITA=2\r\n";
  WriteFile(dir / kSettingsName, old_text);
  fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::remove);
  bool saved = SaveSettings(dir.Path(), Settings());
  fs::permissions(dir.Path(), fs::perms::owner_write, fs::perm_options::add);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadFile(dir / kSettingsName), old_text);
}

// A program that keeps its record while it runs writes back only what it changed: a setting
// another run changed meanwhile (the dictionary mode, a grade count) stays as that run left it.
TEST(Settings, SavingChangesKeepsWhatAnotherRunChangedMeanwhile) {
  ScratchDir dir;
  WriteSettings(dir, "[DICTIONARY]\r\nDIC_PATTERN=0\r\nH_KANJISUU=1026\r\n");
  Settings record = LoadSettings(dir.Path());
  IniFile read_form;
  PutSettings(record, read_form);
  std::string written_before = read_form.Serialize();
  {
    // Meanwhile another run changes two settings under the lock.
    SettingsLock other(dir.Path());
    ASSERT_EQ(ChangeSettings(other,
                             [](Settings& settings) {
                               settings.dic_pattern = 2;
                               settings.h_kanjisuu = 10;
                               return true;
                             }),
              SettingsChange::kSaved);
  }
  record.yomi_mode = 0;
  ASSERT_TRUE(SaveChangedSettings(dir.Path(), written_before, record));
  struct Case {
    std::string_view key;
    std::string_view value;
  };
  const Case cases[] = {{"DIC_PATTERN", "2"}, {"H_KANJISUU", "10"}, {"YOMI_MODE", "0"}};
  for (const Case& c : cases) EXPECT_EQ(SavedValue(dir, "DICTIONARY", c.key), c.value) << c.key;
}

TEST(OverrideSetting, SetsKnownKeysAndRefusesTheRest) {
  struct Row {
    std::string_view section, key, value;
    SettingOverride expected;
  };
  const Row rows[] = {
      {"RUBIRANGE", "NENSITA", "4", SettingOverride::kOk},
      {"dictionary", "dic_pattern", "2", SettingOverride::kOk},
      {"FUNCTION", "NoRbBgn_Str", "\x81\x79", SettingOverride::kOk},  // 【
      {"RUBIRANGE", "NENUE", "four", SettingOverride::kNotAnInteger},
      {"FUNCTION", "NoRbYuko", "", SettingOverride::kNotAnInteger},
      {"RUBIRANGE", "NOSUCHKEY", "1", SettingOverride::kUnknownKey},
      {"FONT", "NENSITA", "1", SettingOverride::kUnknownKey},
      {"DICTIONARY", "DIC_FILE10", "a.dic", SettingOverride::kUnknownKey},
  };
  Settings settings;
  for (const Row& row : rows) {
    EXPECT_EQ(OverrideSetting(settings, row.section, row.key, row.value), row.expected) << row.key;
  }
  EXPECT_EQ(settings.grade_low, 4);
  EXPECT_EQ(settings.grade_high, Settings().grade_high);
  EXPECT_EQ(settings.dic_pattern, 2);
  EXPECT_TRUE(settings.no_rb_yuko);
  NonRubyAreas areas = NonRubyAreasOf(settings);
  EXPECT_EQ(areas.start, "\x81\x79");
  EXPECT_EQ(areas.end, "<BODY>");
}

TEST(OverrideSetting, DictionaryFileIsTakenInTheDicFolder) {
  ScratchDir dir;
  Settings settings = LoadSettings(dir.Path());
  EXPECT_EQ(OverrideSetting(settings, "DICTIONARY", "DIC_FILE3", "abc.dic"), SettingOverride::kOk);
  EXPECT_EQ(OverrideSetting(settings, "DICTIONARY", "DIC_NUM", "3"), SettingOverride::kOk);
  EXPECT_EQ(settings.dic_files[3], dir.Path() / "dic" / "abc.dic");
  EXPECT_EQ(settings.dic_num, 3);
  EXPECT_EQ(OverrideSetting(settings, "DICTIONARY", "DIC_NUM", "12"), SettingOverride::kOk);
  EXPECT_EQ(settings.dic_num, -1);
}

}  // namespace
}  // namespace common
