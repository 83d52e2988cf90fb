// Building kanken_Q.dic from the twelve lists in dic/q_file/. Every list is read, and checked
// against the limits of the readers, before the old dictionary is touched; the new one replaces
// it only once it is complete.
#include <array>
#include <string>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/encoding/text_file.h"
#include "dictionary/file_replacement.h"
#include "dictionary/level_dictionary.h"
#include "dictionary/level_dictionary_format.h"
#include "dictionary/level_source.h"
#include "dictionary/messages.h"
#include "dictionary/source_text.h"

namespace dictionary {
namespace {

constexpr std::string_view kBackupExtension = ".~dic";

void Tell(common::Messenger& messenger, std::string_view title, std::string text) {
  messenger.Tell({std::string(title), std::move(text), common::Icon::kWarning});
}

bool ReadSources(const common::ProgramDir& program, std::array<std::string, kLevelCount>& texts,
                 common::Messenger& messenger) {
  for (std::size_t i = 0; i < kLevelSourceNames.size(); ++i) {
    std::filesystem::path path = program.LevelSourceDir() / kLevelSourceNames[i];
    SourceText text = ReadSourceText(path, messenger);
    if (text.status == SourceTextStatus::kUnreadable) {
      Tell(messenger, messages::kTitleConfirmation,
           common::FormatMessage(messages::kLevelSourceMissing, {path.string()}));
    }
    if (text.status != SourceTextStatus::kOk) return false;
    texts[i] = std::move(text.sjis);
  }
  return true;
}

bool EntriesFit(const std::vector<LevelEntry>& entries, common::Messenger& messenger) {
  LevelLimits limits = CheckLevelLimits(entries);
  if (limits.fit) return true;
  auto count = static_cast<std::int64_t>(entries.size());
  if (count > kLevelMaxEntries) {
    Tell(messenger, messages::kTitleCautionDouble,
         common::FormatMessage(messages::kLevelTooManyKanji,
                               {count, std::int64_t{kLevelMaxEntries}}));
  } else {
    Tell(messenger, messages::kTitleCautionDouble,
         common::FormatMessage(
             messages::kLevelBucketOverflow,
             {std::int64_t{kLevelMaxBucketEntries}, std::int64_t{limits.fullest_bucket}}));
  }
  return false;
}

LevelBuildStatus WriteInPlace(const std::filesystem::path& target, std::string_view bytes,
                              common::Messenger& messenger) {
  std::filesystem::path backup = target;
  backup.replace_extension(kBackupExtension);
  // An existing .~dic backup is the older generation the user may rely on: it stays.
  common::WriteOutcome outcome =
      InstallFile(target, bytes, backup, BackupRule::kKeepFirstBackup);
  if (outcome == common::WriteOutcome::kWritten) return LevelBuildStatus::kOk;
  std::string_view text = outcome == common::WriteOutcome::kCannotCreate
                              ? messages::kLevelCannotCreate
                              : messages::kLevelWriteFailed;
  Tell(messenger, messages::kTitleCautionDouble, common::FormatMessage(text, {target.string()}));
  return LevelBuildStatus::kFailed;
}

}  // namespace

LevelBuildStatus BuildLevelDictionary(const common::ProgramDir& program,
                                      common::Messenger& messenger) {
  std::array<std::string, kLevelCount> texts;
  if (!ReadSources(program, texts, messenger)) return LevelBuildStatus::kFailed;
  std::vector<LevelEntry> entries = CollectLevelEntries(texts);
  if (!EntriesFit(entries, messenger)) return LevelBuildStatus::kOverLimit;
  switch (AskToReplace(program.LevelDictionary(), messages::kTitleConfirmation, messenger)) {
    case ReplaceConsent::kDeclined:
      return LevelBuildStatus::kOverwriteDeclined;
    case ReplaceConsent::kReadOnlyKept:
      return LevelBuildStatus::kReadOnlyKept;
    case ReplaceConsent::kGranted:
      break;
  }
  return WriteInPlace(program.LevelDictionary(), EncodeLevelDictionary(entries), messenger);
}

}  // namespace dictionary
