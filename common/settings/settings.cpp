// The settings table (every key of the settings file with its section, default and field) and
// the loading, saving and overriding that walk it.
#include "common/settings/settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "common/encoding/cp932.h"
#include "common/platform/file_replace.h"
#include "common/platform/file_system.h"
#include "common/settings/ini_file.h"
#include "common/platform/program_dir.h"
#include "common/settings/window_place.h"

namespace common {
namespace {

namespace fs = std::filesystem;

// Where a setting lives in the record. A list stands for a key with a number, one row per
// element; a list of paths holds dictionary files, a single path the user folder.
using Field =
    std::variant<int Settings::*, bool Settings::*, double Settings::*, std::string Settings::*,
                 fs::path Settings::*, std::array<std::string, kTemplateSlots> Settings::*,
                 std::array<std::string, kApplicationSlots> Settings::*,
                 std::array<fs::path, kDictionarySlots> Settings::*,
                 std::array<fs::path, kRecentFiles> Settings::*>;

enum Persistence { kSaved, kNeverSaved };

struct Row {
  std::string_view section;
  std::string key;                               // as read; numbered keys carry their number
  std::variant<int, std::string_view> fallback;  // texts as UTF-8
  Field field;
  Persistence persistence = kSaved;
  std::string_view saved_key = {};  // when the key is written under another spelling
  int index = 0;                    // the element of a numbered key

  std::string_view SavedKey() const { return saved_key.empty() ? key : saved_key; }
};

constexpr std::string_view kDefaultFont = "ＭＳ ゴシック";
constexpr std::string_view kDefaultNnnTemplate = "〒****1****4〒";
constexpr std::string_view kDefaultYmiTemplate = "@@@@1,@@@@2";

// For i from 0: the first row with number i, then the second, as the file has always held them.
void AppendNumberedPairs(std::vector<Row>& rows, int count, const Row& first, const Row& second) {
  for (int i = 0; i < count; ++i) {
    for (const Row& row : {first, second}) {
      Row numbered = row;
      numbered.key += std::to_string(i);
      numbered.index = i;
      rows.push_back(std::move(numbered));
    }
  }
}

// The rows in front of the numbered keys.
std::vector<Row> HeadRows() {
  return {
      {"COLOR", "MAINEDIT", 0xFFFACD, &Settings::main_edit_color},
      {"POSITION", "MAINTOP", 140, &Settings::main_top},
      {"POSITION", "MAINLEFT", 240, &Settings::main_left},
      {"POSITION", "MAINHEIGHT", 500, &Settings::main_height},
      {"POSITION", "MAINWIDTH", 650, &Settings::main_width},
      {"POSITION", "GAMENDEFH", 400, &Settings::standard_height},
      {"POSITION", "GAMENDEFW", 640, &Settings::standard_width},
      {"POSITION", "RBTOP", 160, &Settings::ruby_top},
      {"POSITION", "RBLEFT", 260, &Settings::ruby_left},
      {"POSITION", "RBHEIGHT", 500, &Settings::ruby_height},
      {"POSITION", "RBWIDTH", 650, &Settings::ruby_width},
      {"POSITION", "YMITOP", 190, &Settings::ymi_top},
      {"POSITION", "YMILEFT", 290, &Settings::ymi_left},
      {"POSITION", "YMIHEIGHT", 500, &Settings::ymi_height},
      {"POSITION", "YMIWIDTH", 650, &Settings::ymi_width},
      {"POSITION", "NNNTOP", 200, &Settings::nnn_top},
      {"POSITION", "NNNLEFT", 300, &Settings::nnn_left},
      {"POSITION", "NNNHEIGHT", 500, &Settings::nnn_height},
      {"POSITION", "NNNWIDTH", 650, &Settings::nnn_width},
      {"BROWSER", "BRWRBCOLOR", 0xFF, &Settings::html_ruby_color},
      {"BROWSER", "BRWHNCOLOR", 0, &Settings::html_text_color},
      {"BROWSER", "BRWPRCOLOR", 0x8000, &Settings::html_base_color},
      {"BROWSER", "KAIGYOUFLAG", 1, &Settings::mark_line_breaks, kSaved, "KAIGYOUFlAG"},
      {"BROWSER", "KAIPAGEFLAG", 1, &Settings::mark_page_breaks, kSaved, "KAIPAGEFlAG"},
      {"FONT", "MAINFONTNAME", kDefaultFont, &Settings::main_font_name},
      {"FONT", "MAINFONTSIZE", 12, &Settings::main_font_size},
      {"FONT", "MAINFONTCOLOR", 0, &Settings::main_font_color},
      {"FONT", "RBEDITFONTNAME", kDefaultFont, &Settings::ruby_font_name},
      {"FONT", "RBEDITFONTSIZE", 12, &Settings::ruby_font_size},
      {"FONT", "RBEDITFONTCOLOR", 0, &Settings::ruby_font_color},
      {"FONT", "RBFONTNAME", kDefaultFont, &Settings::html_font_name},
      {"FONT", "RBFONTSIZE", 18, &Settings::html_font_size},
      {"FONT", "YMIEDITFONTNAME", kDefaultFont, &Settings::ymi_font_name},
      {"FONT", "YMIEDITFONTSIZE", 12, &Settings::ymi_font_size},
      {"FONT", "YMIEDITFONTCOLOR", 0, &Settings::ymi_font_color},
      {"FONT", "NNNEDITFONTNAME", kDefaultFont, &Settings::nnn_font_name},
      {"FONT", "NNNEDITFONTSIZE", 12, &Settings::nnn_font_size},
      {"FONT", "NNNEDITFONTCOLOR", 0, &Settings::nnn_font_color},
      {"FONT", "RBINTENSEFLAG", 0, &Settings::highlight_readings},
      {"FONT", "RBINTENSEMAX", 1000, &Settings::highlight_max},
      {"TABWIDTH", "TABHABAM", 4, &Settings::main_tab_width},
      {"TABWIDTH", "TABHABAR", 4, &Settings::ruby_tab_width},
      {"TABWIDTH", "TABHABAY", 4, &Settings::ymi_tab_width},
      {"TABWIDTH", "TABHABAN", 4, &Settings::nnn_tab_width},
      {"PRINTYOHAKU", "PR_SATAN", 4, &Settings::margin_left},
      {"PRINTYOHAKU", "PR_UTAN", 4, &Settings::margin_right},
      {"PRINTYOHAKU", "PR_JOUTAN", 4, &Settings::margin_top},
      {"PRINTYOHAKU", "PR_KATAN", 4, &Settings::margin_bottom},
      {"COLOR", "RbEDIT", 0xE0FFFF, &Settings::ruby_edit_color},
      {"COLOR", "YMIEDIT", 0xFFE4E1, &Settings::ymi_edit_color},
      {"COLOR", "NNNEDIT", 0xF5DEB3, &Settings::nnn_edit_color},
      {"PROGRAM", "ALIGNFLAG", 6, &Settings::html_ruby_align},
      {"PROGRAM", "GYOUOKURI", 250, &Settings::html_line_spacing},
      // The desktop's own opener shows an HTML file in the user's browser.
      {"PROGRAM", "WWWBROWSER", "xdg-open", &Settings::web_browser},
      {"PROGRAM", "DESKTOPKEYS", 0, &Settings::desktop_keys},
      {"PATH", "USERPATH", "", &Settings::user_path},  // empty: the program directory
      {"CNVSTR", "CONVSTRING_DSP", kDefaultNnnTemplate, &Settings::nnn_template},
      {"SEIKEI", "SEIKEISTRING_DSP", kDefaultYmiTemplate, &Settings::ymi_template},
      {"GYOURUBI", "GYOUTOUMARK", "♀", &Settings::line_head_mark},
      {"SHUUSEI", "RBREPFLAG", 0, &Settings::repair_range},
      {"SHUUSEI", "RBCHNGFLAG", 0, &Settings::repair_kind},
      {"SHUUSEI", "RBCHNGEXEF", 0, &Settings::repair_confirmed, kNeverSaved},
      {"SHUUSEI", "ALLRUBIFLAG", 0, &Settings::repair_all_kinds, kNeverSaved},
  };
}

// The recent files of the two text windows, in the PATH section with the user folder.
void AppendRecentFiles(std::vector<Row>& rows) {
  for (const auto& [key, field] : {std::pair{"MAINRECENT", &Settings::main_recent_files},
                                   std::pair{"RBRECENT", &Settings::ruby_recent_files}}) {
    for (int i = 0; i < kRecentFiles; ++i) {
      rows.push_back({"PATH", key + std::to_string(i), "", field, kSaved, {}, i});
    }
  }
}

// The rows after the numbered keys.
std::vector<Row> TailRows() {
  return {
      {"DICTIONARY", "DIC_NUM", kNoDictionarySelected, &Settings::dic_num},
      {"DICTIONARY", "DIC_PATTERN", 0, &Settings::dic_pattern},
      {"DICTIONARY", "H_KANJISUU", 1026, &Settings::h_kanjisuu},
      {"DICTIONARY", "YOMI_MODE", 1, &Settings::yomi_mode},
      {"DICTIONARY", "LEARNONSAVE", 1, &Settings::learn_on_save},
      {"FUNCTION", "NoRbYuko", 1, &Settings::no_rb_yuko},
      {"FUNCTION", "NoRbBgn_Str", "<HTML>", &Settings::no_rb_bgn_str},
      {"FUNCTION", "NoRbEnd_Str", "<BODY>", &Settings::no_rb_end_str},
      {"EDITAREASET", "EDITAREABYTE", 10000, &Settings::edit_area_extra},
      {"RUBIRANGE", "NENSETTYPE", 1, &Settings::grade_range_type},
      {"RUBIRANGE", "NENSITA", 3, &Settings::grade_low},
      {"RUBIRANGE", "NENUE", 5, &Settings::grade_high},
      {"RUBIRANGE", "NenAddFlag", 0, &Settings::grade_add_flag},
      {"RUBIRANGE", "NENRUBIOUTFLAG", 0, &Settings::grade_ruby_out_flag},
      {"RUBIRANGE", "JUKCKFLAG", 0, &Settings::compound_check},
      {"RUBIRANGE", "KANQJOUTFLAG", 0, &Settings::level_tag_flag},
      {"RUBIKANQ", "KANQSETTYPE", 1, &Settings::level_range_type},
      {"RUBIKANQ", "KANQSETMINV", 3, &Settings::level_low},
      {"RUBIKANQ", "KANQSETMAXV", 8, &Settings::level_high},
      {"RUBIKANQ", "CHECBOX3", 10, &Settings::level_check_box, kNeverSaved},
      {"RUBIRANGE", "L_F_MODE", 0, &Settings::line_field_mode},
      {"RUBIRANGE", "FLDTYPE", 0, &Settings::field_range_type},
      {"RUBIRANGE", "FLDMIN", 1, &Settings::field_min},
      {"RUBIRANGE", "FLDMAX", 3, &Settings::field_max},
      {"RUBIRANGE", "FIRSTRUBY", 0, &Settings::first_ruby},
      {"SPEAKSET", "SPEAKRATE", 10, &Settings::speak_rate},
      {"SPEAKSET", "SPEAKVOL", 40, &Settings::speak_volume},
      {"SPEAKSET", "RUBIYOMIFLAG", 0, &Settings::read_ruby_readings},
      {"SPEAKSET", "EFFECTVOL", 10, &Settings::effect_volume},
      {"SPEAKSET", "YOMIFLAG", 1, &Settings::read_aloud},
      {"SPEAKSET", "EFFECTFLAG", 10, &Settings::sound_effects},
  };
}

// In the order in which the file is written; a file made from scratch gets its sections in the
// order of their first rows.
std::vector<Row> BuildRows() {
  std::vector<Row> rows = HeadRows();
  AppendRecentFiles(rows);
  AppendNumberedPairs(rows, kTemplateSlots,
                      {"CNVSTR", "CONVSTRING", kDefaultNnnTemplate, &Settings::nnn_templates},
                      {"SEIKEI", "SEIKEISTRING", kDefaultYmiTemplate, &Settings::ymi_templates});
  AppendNumberedPairs(rows, kApplicationSlots,
                      {"APPLICATION", "APPLI_NAME", "", &Settings::app_names},
                      {"APPLICATION", "APPLI_PATH", "", &Settings::app_paths});
  AppendNumberedPairs(rows, kDictionarySlots, {"DICTIONARY", "DIC_NAME", "", &Settings::dic_names},
                      {"DICTIONARY", "DIC_FILE", "", &Settings::dic_files});
  for (Row& row : TailRows()) rows.push_back(std::move(row));
  return rows;
}

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = BuildRows();
  return rows;
}

const Row* FindRow(std::string_view section, std::string_view key) {
  for (const Row& row : Rows()) {
    if (NamesMatch(row.section, section) &&
        (NamesMatch(row.key, key) || NamesMatch(row.SavedKey(), key))) {
      return &row;
    }
  }
  return nullptr;
}

template <typename T>
struct IsList : std::false_type {};
template <typename T, std::size_t N>
struct IsList<std::array<T, N>> : std::true_type {};

// Calls `use` with the row's place in `record` (an element, for a numbered key).
template <typename Record, typename Use>
auto VisitField(const Row& row, Record& record, Use&& use) {
  return std::visit(
      [&](auto field) {
        auto& member = record.*field;
        if constexpr (IsList<std::remove_cvref_t<decltype(member)>>::value) {
          return use(member[static_cast<std::size_t>(row.index)]);
        } else {
          return use(member);
        }
      },
      row.field);
}

bool HoldsDictionaryFile(const Row& row) {
  return std::holds_alternative<std::array<fs::path, kDictionarySlots> Settings::*>(row.field);
}

bool HoldsRecentFile(const Row& row) {
  return std::holds_alternative<std::array<fs::path, kRecentFiles> Settings::*>(row.field);
}

// A signed decimal number and nothing else; nullopt for anything that is not one or that does
// not fit.
std::optional<int> ParseInt(std::string_view text) {
  if (text.starts_with('+')) text.remove_prefix(1);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

// Paths are UTF-8 on our side and Shift_JIS in the file. A name that one side cannot express
// is carried over as its bytes rather than lost.
fs::path PathFromCp932(std::string_view cp932) {
  return fs::path(Cp932ToUtf8(cp932).value_or(std::string(cp932)));
}

std::string PathToCp932(const fs::path& path) {
  std::string utf8 = path.string();
  return Utf8ToCp932(utf8).value_or(utf8);
}

constexpr int kMinHighlightMax = 1000;
// A main window too small opens this large, its corner at (100, 100).
constexpr WindowPlace kMinMainPlace{.top = 100, .left = 100, .height = 400, .width = 500};
constexpr int kMinStandardHeight = 400;
constexpr int kMinStandardWidth = 500;

// The folders against which stored names are read.
struct Places {
  fs::path program_dir;        // the default user folder
  fs::path dictionary_folder;  // where registered dictionaries are found
};

// Reads one row into its place: the stored value, or the row's default when there is none (or,
// for a number, when it does not parse).
class RowReader {
 public:
  RowReader(const Row& row, const std::optional<std::string>& stored, const Places& places)
      : row_(row), stored_(stored), places_(places) {}

  void operator()(int& value) const { value = Number(); }
  void operator()(bool& value) const { value = Number() != 0; }
  void operator()(double& value) const { value = Number(); }
  void operator()(std::string& value) const {
    value = stored_ ? *stored_ : Sjis(std::get<std::string_view>(row_.fallback));
  }
  void operator()(fs::path& value) const {
    if (HoldsDictionaryFile(row_)) {
      value = places_.dictionary_folder / PathFromCp932(stored_.value_or(std::string()));
    } else if (HoldsRecentFile(row_)) {
      value = PathFromCp932(stored_.value_or(std::string()));
    } else {
      value = stored_ ? PathFromCp932(*stored_) : places_.program_dir;
    }
  }

 private:
  int Number() const {
    std::optional<int> parsed = stored_ ? ParseInt(*stored_) : std::nullopt;
    return parsed.value_or(std::get<int>(row_.fallback));
  }

  const Row& row_;
  const std::optional<std::string>& stored_;
  const Places& places_;
};

// Margins are whole numbers in the file: 4.9 is written as 4, -4.9 as -4.
std::string WholeNumber(double value) {
  double truncated = std::trunc(value);
  if (std::isnan(truncated)) return "0";
  truncated = std::clamp(truncated, static_cast<double>(std::numeric_limits<int>::min()),
                         static_cast<double>(std::numeric_limits<int>::max()));
  return std::to_string(static_cast<int>(truncated));
}

// The text that one row writes for its place.
class RowWriter {
 public:
  explicit RowWriter(const Row& row) : row_(row) {}

  std::string operator()(const int& value) const { return std::to_string(value); }
  std::string operator()(const bool& value) const { return value ? "1" : "0"; }
  std::string operator()(const double& value) const { return WholeNumber(value); }
  std::string operator()(const std::string& value) const { return value; }
  // Of a dictionary only its file name is kept; loading finds it in the dic folder again.
  std::string operator()(const fs::path& value) const {
    return PathToCp932(HoldsDictionaryFile(row_) ? value.filename() : value);
  }

 private:
  const Row& row_;
};

void PutRight(Settings& settings) {
  settings.highlight_max = std::max(settings.highlight_max, kMinHighlightMax);
  if (settings.dic_num >= kDictionarySlots) settings.dic_num = kNoDictionarySelected;
  WindowPlace main =
      AtLeast({settings.main_top, settings.main_left, settings.main_height, settings.main_width},
              kMinMainPlace);
  settings.main_top = main.top;
  settings.main_left = main.left;
  settings.main_height = main.height;
  settings.main_width = main.width;
  settings.standard_height = std::max(settings.standard_height, kMinStandardHeight);
  settings.standard_width = std::max(settings.standard_width, kMinStandardWidth);
}

template <typename T>
constexpr bool kIsNumber =
    std::is_same_v<T, int> || std::is_same_v<T, bool> || std::is_same_v<T, double>;

}  // namespace

Settings::Settings(FromRows) {
  const Places places;
  for (const Row& row : Rows()) VisitField(row, *this, RowReader(row, std::nullopt, places));
}

// The defaults' texts are converted to Shift_JIS once, not for every record.
Settings::Settings() {
  static const Settings defaults{FromRows{}};
  *this = defaults;
}

namespace {

template <typename T>
struct ElementOf {
  using type = T;
};
template <typename T, std::size_t N>
struct ElementOf<std::array<T, N>> {
  using type = T;
};

// Whether the row's place is a path, whose default depends on the program folder.
bool HoldsPath(const Row& row) {
  return std::visit(
      [](auto field) {
        using Member = std::remove_cvref_t<decltype(std::declval<Settings&>().*field)>;
        return std::is_same_v<typename ElementOf<Member>::type, fs::path>;
      },
      row.field);
}

}  // namespace

Settings SettingsOf(const IniFile& file, const fs::path& program_dir) {
  const Places places{program_dir, ProgramDir(program_dir).DicDir()};
  Settings settings;
  for (const Row& row : Rows()) {
    std::optional<std::string> stored = file.Get(row.section, row.key);
    // A row the file does not hold keeps the default the record starts with.
    if (!stored && !HoldsPath(row)) continue;
    VisitField(row, settings, RowReader(row, stored, places));
  }
  PutRight(settings);
  return settings;
}

void PutSettings(const Settings& settings, IniFile& file) {
  for (const Row& row : Rows()) {
    if (row.persistence == kNeverSaved) continue;
    file.Set(row.section, row.SavedKey(), VisitField(row, settings, RowWriter(row)));
  }
}

Settings LoadSettings(const fs::path& program_dir) {
  // A file that cannot be read is taken as absent: start-up goes on with the defaults.
  return SettingsOf(IniFile::Load(ProgramDir(program_dir).SettingsFile()).value_or(IniFile()),
                    program_dir);
}

bool SaveSettings(const fs::path& program_dir, const Settings& settings) {
  fs::path path = ProgramDir(program_dir).SettingsFile();
  // Replacing a file we cannot read would lose everything in it that we do not write.
  std::optional<IniFile> file = IniFile::Load(path);
  if (!file) return false;
  PutSettings(settings, *file);
  return file->Save(path);
}

SettingsLock::SettingsLock(const fs::path& program_dir) : program_dir_(program_dir) {
  // Unlocked only where no lock file can be made: the settings file cannot be replaced there.
  static_cast<void>(lock_.Take(ProgramDir(program_dir).SettingsLockFile()));
}

SettingsChange ChangeSettings(const SettingsLock& lock,
                              const std::function<bool(Settings&)>& change) {
  Settings settings = LoadSettings(lock.ProgramDirPath());
  if (!change(settings)) return SettingsChange::kDeclined;
  return SaveSettings(lock.ProgramDirPath(), settings) ? SettingsChange::kSaved
                                                       : SettingsChange::kNotSaved;
}

bool SaveChangedSettings(const fs::path& program_dir, std::string_view written_before,
                         const Settings& now) {
  SettingsLock lock(program_dir);
  fs::path path = ProgramDir(program_dir).SettingsFile();
  std::optional<IniFile> file = IniFile::Load(path);
  if (!file) return false;
  IniFile before = IniFile::Parse(written_before);
  for (const Row& row : Rows()) {
    if (row.persistence == kNeverSaved) continue;
    std::string value = VisitField(row, now, RowWriter(row));
    if (!written_before.empty() && before.Get(row.section, row.SavedKey()) == value) continue;
    file->Set(row.section, row.SavedKey(), value);
  }
  return file->Save(path);
}

bool CanSaveSettings(const fs::path& program_dir) {
  fs::path path = ProgramDir(program_dir).SettingsFile();
  if (!IniFile::Load(path) || IsReadOnly(path)) return false;
  fs::path probe = NewTemporaryFile(path.parent_path());
  if (probe.empty()) return false;
  RemoveFile(probe);
  return true;
}

SettingOverride OverrideSetting(Settings& settings, std::string_view section, std::string_view key,
                                std::string_view value_cp932) {
  const Row* row = FindRow(section, key);
  if (!row) return SettingOverride::kUnknownKey;
  Places places;
  bool number = false;
  VisitField(*row, settings, [&](auto& place) {
    using Place = std::remove_cvref_t<decltype(place)>;
    number = kIsNumber<Place>;
    if constexpr (std::is_same_v<Place, fs::path>) places.dictionary_folder = place.parent_path();
  });
  if (number && !ParseInt(value_cp932)) return SettingOverride::kNotAnInteger;
  std::optional<std::string> stored{std::string(value_cp932)};
  VisitField(*row, settings, RowReader(*row, stored, places));
  PutRight(settings);
  return SettingOverride::kOk;
}

NonRubyAreas NonRubyAreasOf(const Settings& settings) {
  NonRubyAreas areas;
  areas.enabled = settings.no_rb_yuko;
  areas.start = settings.no_rb_bgn_str;
  areas.end = settings.no_rb_end_str;
  return areas;
}

}  // namespace common
