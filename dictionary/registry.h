// The registry of user dictionaries over the settings record: up to ten dictionaries registered
// under names of the user's choosing, the selected pre-dictionary (プレ辞書) and the
// dictionary-use mode. The selection dialog and the command line are thin views over this.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"

namespace dictionary {

inline constexpr int kStandardPreDictionary = -1;  // DIC_NUM when no registered one is selected

// The dictionary-use modes DIC_PATTERN holds.
inline constexpr int kModeMainOnly = 0;
inline constexpr int kModePreOnly = 1;
inline constexpr int kModePreThenMain = 2;

enum class [[nodiscard]] RegistryStatus : int{
    kOk = 1,
    kNoName = -1,
    kFull = -2,
    kDuplicateName = -3,
    kCannotOpen = -4,
    kNotRubyDictionary = -5,
    kCancelled = -6,
    kNothingChosen = -7,  // no entry, or one that is not registered
    kNoFile = -8,         // the entry names no file
    kFileMissing = -9,
    kBadMode = -10,
    kControlCharacter = -11,  // a name holding a line break, tab or other control character
    kNotInDicFolder = -12,
};

// Registered entries stand at 0 … count − 1: the names up to the first empty one.
int RegisteredCount(const common::Settings& settings);

// DIC_NUM when it names a registered entry, else kStandardPreDictionary: a selection that a
// hand-edited settings file left on an empty entry means the standard user dictionary.
int SelectedIndex(const common::Settings& settings);

// The checks made before the file of a new registration is chosen (an empty name, ten entries
// already, a name already registered, compared byte for byte, a name holding a control
// character, which the settings file could not keep whole), each refusal with its message.
RegistryStatus CheckNewName(const common::Settings& settings, std::string_view name_cp932,
                            common::Messenger& messenger);

// Appends `name_cp932` → `file` after CheckNewName and a check that the file opens and is a
// ruby dictionary. The selection does not change.
RegistryStatus Register(common::Settings& settings, std::string_view name_cp932,
                        const std::filesystem::path& file, common::Messenger& messenger);

// Register for a file chosen anywhere: registered files are kept by name and found again in
// the program's dic/ folder, so a file elsewhere is refused (with its message) rather than
// turned into a different path at the next start. The entry names the file in dic/.
RegistryStatus RegisterFromDicFolder(common::Settings& settings, std::string_view name_cp932,
                                     const std::filesystem::path& file,
                                     const common::ProgramDir& program,
                                     common::Messenger& messenger);

// Removes the entries at `indexes` (all registered, else kNothingChosen with a message) after
// the user's OK; the later entries move down. The selection follows its entry, or falls back to
// the standard user dictionary when its entry is removed.
RegistryStatus RemoveChecked(common::Settings& settings, std::vector<int> indexes,
                             common::Messenger& messenger);

// Empties the registry after the user's OK; the standard user dictionary becomes the selection.
RegistryStatus RemoveAll(common::Settings& settings, common::Messenger& messenger);

// Selects the standard user dictionary; warns, and selects it still, when it is missing.
RegistryStatus SelectStandard(common::Settings& settings, const common::ProgramDir& program,
                              common::Messenger& messenger);

// Selects registered entry `index` when its file exists; each refusal with its message.
RegistryStatus SelectRegistered(common::Settings& settings, int index,
                                common::Messenger& messenger);

// mode: 0 main dictionary only, 1 pre-dictionary only, 2 pre-dictionary then main dictionary.
RegistryStatus SetMode(common::Settings& settings, int mode);

// The mode after `mode` when the main window's indicator is clicked: 0 → 1 → 2 → 0; a value the
// program does not know starts again at 0.
int NextMode(int mode);

// What the selection dialog says on opening: a warning when the standard user dictionary is
// selected but missing.
void CheckOnOpening(const common::Settings& settings, const common::ProgramDir& program,
                    common::Messenger& messenger);

// UTF-8 texts. "[標準ﾌﾟﾚ]" or "[" + name + "]".
std::string PreDictionaryLabel(const common::Settings& settings);
// The dictionary indicator as the selection dialog sets it: "[本体辞書]", the label, or the
// label followed by "＋[本体辞書]".
std::string IndicatorText(const common::Settings& settings);
// The same as the main window sets it when its label is clicked: the standard user dictionary
// is then called "[標準pre]".
std::string MainWindowIndicatorText(const common::Settings& settings);

// The pre-dictionary file the ruby passes use.
std::filesystem::path UserDictionaryOf(const common::Settings& settings,
                                       const common::ProgramDir& program);

// The "？" button: whether the file of entry `index` exists, as the text of its report (UTF-8;
// empty when `index` is not registered). ShowExistence shows it, or asks for an entry when
// `index` is not registered.
std::string ExistenceReport(const common::Settings& settings, int index);
void ShowExistence(const common::Settings& settings, int index, common::Messenger& messenger);

}  // namespace dictionary
