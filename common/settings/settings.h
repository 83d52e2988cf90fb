// The settings record: every user setting of the program, read from the settings file in the
// program directory at start-up and written back whenever it has changed.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/platform/file_lock.h"
#include "common/notation/non_ruby_areas.h"

namespace common {

inline constexpr int kTemplateSlots = 20;     // stored NNN and YMI templates
inline constexpr int kApplicationSlots = 10;  // external applications
inline constexpr int kDictionarySlots = 10;   // registered user dictionaries
inline constexpr int kNoDictionarySelected = -1;
inline constexpr int kRecentFiles = 8;  // remembered per text window

// Texts are Shift_JIS bytes; colours are 0x00BBGGRR. A default-constructed record holds every
// default except those that name a place: the user folder and the dictionary files are filled
// in from the program directory by LoadSettings.
struct Settings {
  Settings();

  // Background colours of the edit areas.
  int main_edit_color;
  int ruby_edit_color;
  int ymi_edit_color;
  int nnn_edit_color;

  // Window places in pixels. The standard size is what every window's shrink command returns to.
  int main_top, main_left, main_height, main_width;
  int standard_height, standard_width;
  int ruby_top, ruby_left, ruby_height, ruby_width;
  int ymi_top, ymi_left, ymi_height, ymi_width;
  int nnn_top, nnn_left, nnn_height, nnn_width;

  // The HTML ruby page.
  int html_ruby_color;   // the readings
  int html_text_color;   // the body text
  int html_base_color;   // base characters that carry ruby
  int mark_line_breaks;  // "↓" at every line break
  int mark_page_breaks;  // "[改頁]" at every page break
  std::string html_font_name;
  int html_font_size;
  int html_ruby_align;
  int html_line_spacing;  // percent
  std::string web_browser;

  // The desktop's usual keys (Ctrl+C copies, Ctrl+Z undoes, ...) in every text window instead
  // of the program's own (Ctrl+C closes, Ctrl+Ins copies, Ctrl+U undoes, ...).
  bool desktop_keys;

  // Fonts of the four text windows.
  std::string main_font_name;
  int main_font_size, main_font_color;
  std::string ruby_font_name;
  int ruby_font_size, ruby_font_color;
  std::string ymi_font_name;
  int ymi_font_size, ymi_font_color;
  std::string nnn_font_name;
  int nnn_font_size, nnn_font_color;

  // Highlighting of readings in the ruby window.
  int highlight_readings;
  int highlight_max;  // at least 1000

  // Tab widths in characters.
  int main_tab_width, ruby_tab_width, ymi_tab_width, nnn_tab_width;

  // Print margins, held as real numbers and stored as whole numbers.
  double margin_left, margin_right, margin_top, margin_bottom;

  std::filesystem::path user_path;  // where open and save dialogs start
  // The files last opened or saved in the main text window and in the ruby window, the latest
  // first; empty places after them.
  std::array<std::filesystem::path, kRecentFiles> main_recent_files;
  std::array<std::filesystem::path, kRecentFiles> ruby_recent_files;

  // NNN and YMI templates: the one in use and the stored ones.
  std::string nnn_template;
  std::string ymi_template;
  std::array<std::string, kTemplateSlots> nnn_templates;
  std::array<std::string, kTemplateSlots> ymi_templates;

  std::string line_head_mark;  // marks the lines that line ruby gives readings

  // Ruby repair. The last two are read but never written back.
  int repair_range;
  int repair_kind;
  int repair_confirmed;
  int repair_all_kinds;

  std::array<std::string, kApplicationSlots> app_names;
  std::array<std::string, kApplicationSlots> app_paths;

  // The dictionary registry. dic_files are full paths: the dic folder of the program directory
  // and the stored name (an empty name leaves the folder itself).
  std::array<std::string, kDictionarySlots> dic_names;
  std::array<std::filesystem::path, kDictionarySlots> dic_files;
  int dic_num;      // the selected registered dictionary, or kNoDictionarySelected
  int dic_pattern;  // 0 main dictionary only, 1 user dictionary only, 2 user then main
  int h_kanjisuu;   // kanji in the grade-allocation list
  // 1: saving a ruby file with readings corrected by hand offers them to the user dictionary.
  int learn_on_save;
  int yomi_mode;    // 1 words are read in context by an analyser, 0 by the main dictionary alone

  // Non-ruby areas.
  bool no_rb_yuko;
  std::string no_rb_bgn_str;
  std::string no_rb_end_str;

  int edit_area_extra;  // bytes of room added to every edit area

  // Grade ruby.
  int grade_range_type, grade_low, grade_high;
  int grade_add_flag, grade_ruby_out_flag, compound_check;

  // Kanji-test level ruby. level_check_box is read but never written back.
  int level_tag_flag;
  int level_range_type, level_low, level_high;
  int level_check_box;

  // Line-and-field ruby.
  int line_field_mode, field_range_type, field_min, field_max;

  // Where a word keeps its ruby: 0 everywhere, 1 at its first occurrence in the text, 2 in each
  // paragraph (engine::FirstRubyScope).
  int first_ruby;

  // Read-aloud.
  int speak_rate, speak_volume, effect_volume;
  int read_aloud, sound_effects;
  // Read a text's ruby readings rather than its kanji: the text is first given ruby as F5 would.
  int read_ruby_readings;

 private:
  // Every default worked out from the table of rows; Settings() copies the one made at the
  // first use.
  struct FromRows {};
  explicit Settings(FromRows);
};

// Reads the settings file of `program_dir`. Never fails: a missing file, section or key, or an
// integer that does not parse, leaves the default; out-of-range sizes and selections are put
// right as the program has always done.
Settings LoadSettings(const std::filesystem::path& program_dir);

class IniFile;
// The settings a settings document holds, as LoadSettings reads them, and every setting put into
// a document as SaveSettings writes it: the two halves of those, without the file.
Settings SettingsOf(const IniFile& file, const std::filesystem::path& program_dir);
void PutSettings(const Settings& settings, IniFile& file);

// Writes every setting into the settings file of `program_dir`, keeping the keys and comments
// it does not know and the values of the keys that are only read. The file is replaced in one
// step; false when it cannot be (unwritable folder, full disk, or an existing file that cannot
// be read), and the previous file is then untouched.
[[nodiscard]] bool SaveSettings(const std::filesystem::path& program_dir, const Settings& settings);

// Whether SaveSettings would succeed as far as can be known beforehand: the file (if any) can be
// read and is not read-only, and its folder takes a new file. A step whose result is useless
// without its setting (a dictionary whose size a setting records) asks first.
bool CanSaveSettings(const std::filesystem::path& program_dir);

// Held while a run reads the settings file, changes it and writes it back (and while it makes
// what a setting records, such as the grade dictionary whose size H_KANJISUU holds): a lock on
// the program folder's lock file, which another run waits for, so that no run writes back a
// record read before another's change and loses it. A folder where the lock file cannot be made
// is not locked; a settings file there cannot be replaced either.
class SettingsLock {
 public:
  explicit SettingsLock(const std::filesystem::path& program_dir);
  const std::filesystem::path& ProgramDirPath() const { return program_dir_; }

 private:
  std::filesystem::path program_dir_;
  FileLock lock_;
};

enum class SettingsChange { kSaved, kDeclined, kNotSaved };

// Under `lock`: reads the settings file, lets `change` alter the record and, when it returns
// true, saves it as SaveSettings does. kNotSaved when the file could not be written.
SettingsChange ChangeSettings(const SettingsLock& lock,
                              const std::function<bool(Settings&)>& change);

// For a program that keeps its record while it runs: writes into the settings file, under its
// lock, only the settings whose written value in `now` differs from `written_before` (what the
// program last wrote or read, as PutSettings puts it into an empty document; empty: everything),
// so that a setting another run changed meanwhile is kept. False as SaveSettings.
[[nodiscard]] bool SaveChangedSettings(const std::filesystem::path& program_dir,
                                       std::string_view written_before, const Settings& now);

enum class SettingOverride { kOk, kUnknownKey, kNotAnInteger };

// Sets one setting by its section and key as they stand in the settings file (matched without
// regard to case), for a single run. A dictionary file name is taken in the folder of the entry
// it replaces, which LoadSettings makes the dic folder.
SettingOverride OverrideSetting(Settings& settings, std::string_view section, std::string_view key,
                                std::string_view value_cp932);

NonRubyAreas NonRubyAreasOf(const Settings& settings);

}  // namespace common
