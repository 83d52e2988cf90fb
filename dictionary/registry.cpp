// The registry of user dictionaries: registration, removal, selection and the texts that name
// the dictionaries in use.
#include "dictionary/registry.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "common/encoding/cp932.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "dictionary/dictionary_signature.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

void Tell(common::Messenger& messenger, std::string_view title, std::string text) {
  messenger.Tell({std::string(title), std::move(text), common::Icon::kWarning});
}

bool AskOkCancel(common::Messenger& messenger, std::string_view text) {
  common::Message question{std::string(messages::kTitleConfirmationPlain), std::string(text),
                           common::Icon::kQuestion};
  return messenger.Ask(question, common::Buttons::kOkCancel) == common::Answer::kOk;
}

std::string NameOf(const common::Settings& settings, int index) {
  return common::Cp932ToUtf8Lossy(settings.dic_names[static_cast<std::size_t>(index)]);
}

const std::filesystem::path& FileOf(const common::Settings& settings, int index) {
  return settings.dic_files[static_cast<std::size_t>(index)];
}

bool IsRegistered(const common::Settings& settings, int index) {
  return index >= 0 && index < RegisteredCount(settings);
}

bool InDicFolder(const std::filesystem::path& file, const common::ProgramDir& program) {
  std::error_code error;
  std::filesystem::path folder =
      std::filesystem::weakly_canonical(std::filesystem::absolute(file).parent_path(), error);
  if (error) return false;
  std::filesystem::path dic = std::filesystem::weakly_canonical(program.DicDir(), error);
  return !error && folder == dic;
}

// An entry loaded from an empty file name holds only the dic folder.
bool NamesNoFile(const std::filesystem::path& file) { return file.filename().empty(); }

bool Opens(const std::filesystem::path& file) {
  std::FILE* stream = common::OpenRegularFileStream(file);
  if (stream) std::fclose(stream);
  return stream != nullptr;
}

void RemoveEntry(common::Settings& settings, int index) {
  for (int i = index; i + 1 < common::kDictionarySlots; ++i) {
    settings.dic_names[static_cast<std::size_t>(i)] =
        settings.dic_names[static_cast<std::size_t>(i + 1)];
    settings.dic_files[static_cast<std::size_t>(i)] =
        settings.dic_files[static_cast<std::size_t>(i + 1)];
  }
  settings.dic_names.back().clear();
  settings.dic_files.back().clear();
}

std::string LabelOf(const common::Settings& settings, std::string_view standard_label) {
  int selected = SelectedIndex(settings);
  if (selected == kStandardPreDictionary) return std::string(standard_label);
  std::string label = "[";
  label += NameOf(settings, selected);
  label += ']';
  return label;
}

std::string IndicatorWith(const common::Settings& settings, std::string label) {
  switch (settings.dic_pattern) {
    case kModePreOnly:
      return label;
    case kModePreThenMain:
      return label + std::string(messages::kLabelPlus) +
             std::string(messages::kLabelMainDictionary);
    default:
      return std::string(messages::kLabelMainDictionary);
  }
}

}  // namespace

int RegisteredCount(const common::Settings& settings) {
  auto first_empty = std::find_if(settings.dic_names.begin(), settings.dic_names.end(),
                                  [](const std::string& name) { return name.empty(); });
  return static_cast<int>(first_empty - settings.dic_names.begin());
}

int SelectedIndex(const common::Settings& settings) {
  return IsRegistered(settings, settings.dic_num) ? settings.dic_num : kStandardPreDictionary;
}

RegistryStatus CheckNewName(const common::Settings& settings, std::string_view name_cp932,
                            common::Messenger& messenger) {
  if (name_cp932.empty()) {
    Tell(messenger, messages::kTitleConfirmationPlain, std::string(messages::kRegistryNoName));
    return RegistryStatus::kNoName;
  }
  // A Shift_JIS trail byte is never below 0x40 nor 0x7F, so any such byte is a control
  // character of its own.
  if (std::any_of(name_cp932.begin(), name_cp932.end(), [](char byte) {
        return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F;
      })) {
    Tell(messenger, messages::kTitleCaution, std::string(messages::kRegistryControlCharacter));
    return RegistryStatus::kControlCharacter;
  }
  int count = RegisteredCount(settings);
  if (count >= common::kDictionarySlots) {
    Tell(messenger, messages::kTitleConfirmationPlain, std::string(messages::kRegistryFull));
    return RegistryStatus::kFull;
  }
  auto registered = settings.dic_names.begin();
  if (std::find(registered, registered + count, name_cp932) != registered + count) {
    Tell(messenger, messages::kTitleCaution, std::string(messages::kRegistryDuplicateName));
    return RegistryStatus::kDuplicateName;
  }
  return RegistryStatus::kOk;
}

RegistryStatus Register(common::Settings& settings, std::string_view name_cp932,
                        const std::filesystem::path& file, common::Messenger& messenger) {
  RegistryStatus status = CheckNewName(settings, name_cp932, messenger);
  if (status != RegistryStatus::kOk) return status;
  if (!Opens(file)) {
    Tell(messenger, messages::kTitleCaution, std::string(messages::kRegistryCannotOpen));
    return RegistryStatus::kCannotOpen;
  }
  if (!IsRubyDictionary(file)) {
    Tell(messenger, messages::kTitleCaution, std::string(messages::kRegistryNotRubyDictionary));
    return RegistryStatus::kNotRubyDictionary;
  }
  auto slot = static_cast<std::size_t>(RegisteredCount(settings));
  settings.dic_names[slot] = std::string(name_cp932);
  settings.dic_files[slot] = file;
  return RegistryStatus::kOk;
}

RegistryStatus RegisterFromDicFolder(common::Settings& settings, std::string_view name_cp932,
                                     const std::filesystem::path& file,
                                     const common::ProgramDir& program,
                                     common::Messenger& messenger) {
  RegistryStatus status = CheckNewName(settings, name_cp932, messenger);
  if (status != RegistryStatus::kOk) return status;
  if (!InDicFolder(file, program)) {
    Tell(messenger, messages::kTitleCautionDouble,
         common::FormatMessage(messages::kRegistryNotInDicFolder,
                               {file.string(), program.DicDir().string()}));
    return RegistryStatus::kNotInDicFolder;
  }
  return Register(settings, name_cp932, program.DicDir() / file.filename(), messenger);
}

RegistryStatus RemoveChecked(common::Settings& settings, std::vector<int> indexes,
                             common::Messenger& messenger) {
  for (int index : indexes) {
    if (!IsRegistered(settings, index)) {
      Tell(messenger, messages::kTitleCaution,
           common::FormatMessage(messages::kRegistryNotChecked, {std::int64_t{index}}));
      return RegistryStatus::kNothingChosen;
    }
  }
  if (!AskOkCancel(messenger, messages::kRegistryConfirmRemoveChecked)) {
    return RegistryStatus::kCancelled;
  }
  int selected = SelectedIndex(settings);
  // From the highest index down, so that each index still names the entry that was checked.
  std::sort(indexes.begin(), indexes.end(), std::greater<>());
  indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
  for (int index : indexes) {
    RemoveEntry(settings, index);
    if (selected == index) selected = kStandardPreDictionary;
    if (selected > index) --selected;
  }
  settings.dic_num = selected;
  return RegistryStatus::kOk;
}

RegistryStatus RemoveAll(common::Settings& settings, common::Messenger& messenger) {
  if (!AskOkCancel(messenger, messages::kRegistryConfirmRemoveAll)) {
    return RegistryStatus::kCancelled;
  }
  for (auto& name : settings.dic_names) name.clear();
  for (auto& file : settings.dic_files) file.clear();
  settings.dic_num = kStandardPreDictionary;
  return RegistryStatus::kOk;
}

RegistryStatus SelectStandard(common::Settings& settings, const common::ProgramDir& program,
                              common::Messenger& messenger) {
  settings.dic_num = kStandardPreDictionary;
  CheckOnOpening(settings, program, messenger);
  return RegistryStatus::kOk;
}

RegistryStatus SelectRegistered(common::Settings& settings, int index,
                                common::Messenger& messenger) {
  if (!IsRegistered(settings, index)) {
    Tell(messenger, messages::kTitleCaution, std::string(messages::kRegistryNothingSelected));
    return RegistryStatus::kNothingChosen;
  }
  const std::filesystem::path& file = FileOf(settings, index);
  if (NamesNoFile(file)) {
    Tell(messenger, messages::kTitleReport,
         common::FormatMessage(messages::kRegistryNoFile, {NameOf(settings, index)}));
    return RegistryStatus::kNoFile;
  }
  if (!common::FileExists(file)) {
    Tell(messenger, messages::kTitleReport,
         common::FormatMessage(messages::kRegistryFileMissing,
                               {NameOf(settings, index), file.string()}));
    return RegistryStatus::kFileMissing;
  }
  settings.dic_num = index;
  return RegistryStatus::kOk;
}

RegistryStatus SetMode(common::Settings& settings, int mode) {
  if (mode < kModeMainOnly || mode > kModePreThenMain) return RegistryStatus::kBadMode;
  settings.dic_pattern = mode;
  return RegistryStatus::kOk;
}

int NextMode(int mode) {
  return mode >= kModeMainOnly && mode < kModePreThenMain ? mode + 1 : kModeMainOnly;
}

void CheckOnOpening(const common::Settings& settings, const common::ProgramDir& program,
                    common::Messenger& messenger) {
  if (SelectedIndex(settings) == kStandardPreDictionary &&
      !common::FileExists(program.StandardUserDictionary())) {
    Tell(messenger, messages::kTitleWarningJapanese,
         std::string(messages::kRegistryStandardMissing));
  }
}

std::string PreDictionaryLabel(const common::Settings& settings) {
  return LabelOf(settings, messages::kLabelStandardPre);
}

std::string IndicatorText(const common::Settings& settings) {
  return IndicatorWith(settings, PreDictionaryLabel(settings));
}

std::string MainWindowIndicatorText(const common::Settings& settings) {
  return IndicatorWith(settings, LabelOf(settings, messages::kLabelStandardPreMainWindow));
}

std::filesystem::path UserDictionaryOf(const common::Settings& settings,
                                       const common::ProgramDir& program) {
  int selected = SelectedIndex(settings);
  if (selected == kStandardPreDictionary) return program.StandardUserDictionary();
  return FileOf(settings, selected);
}

std::string ExistenceReport(const common::Settings& settings, int index) {
  if (!IsRegistered(settings, index)) return {};
  const std::filesystem::path& file = FileOf(settings, index);
  std::string_view pattern =
      common::FileExists(file) ? messages::kRegistryFileExists : messages::kRegistryFileAbsent;
  return common::FormatMessage(pattern, {NameOf(settings, index), file.string()});
}

void ShowExistence(const common::Settings& settings, int index, common::Messenger& messenger) {
  if (!IsRegistered(settings, index)) {
    Tell(messenger, messages::kTitleConfirmation, std::string(messages::kRegistryChooseForCheck));
    return;
  }
  messenger.Tell({std::string(messages::kTitleReport), ExistenceReport(settings, index),
                  common::Icon::kInformation});
}

}  // namespace dictionary
