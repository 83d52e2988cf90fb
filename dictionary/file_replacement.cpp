// Overwrite questions and backups for the files the dictionary commands write.
#include "dictionary/file_replacement.h"

#include <string>

#include "common/platform/file_replace.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

bool Taken(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

bool AskOkCancel(common::Messenger& messenger, std::string_view title, std::string text) {
  common::Message message{std::string(title), std::move(text), common::Icon::kQuestion};
  return messenger.Ask(message, common::Buttons::kOkCancel) == common::Answer::kOk;
}

}  // namespace

ReplaceConsent AskToReplace(const std::filesystem::path& target, std::string_view title,
                            common::Messenger& messenger) {
  if (!common::FileExists(target)) return ReplaceConsent::kGranted;
  std::string shown = target.string();
  if (common::IsReadOnly(target)) {
    if (!AskOkCancel(messenger, title, common::FormatMessage(messages::kReadOnlyTarget, {shown}))) {
      return ReplaceConsent::kReadOnlyKept;
    }
    // The new file replaces this one by a rename, which its mode bits do not prevent; clearing
    // them only keeps the backup writable like any other file, so a failure changes nothing.
    static_cast<void>(common::ClearReadOnly(target));
    return ReplaceConsent::kGranted;
  }
  if (!AskOkCancel(messenger, title, common::FormatMessage(messages::kTargetExists, {shown}))) {
    return ReplaceConsent::kDeclined;
  }
  return ReplaceConsent::kGranted;
}

bool PutInPlace(common::FileReplacement& replacement, const std::filesystem::path& backup,
                BackupRule rule) {
  const std::filesystem::path& target = replacement.Target();
  bool backed_up = false;
  if (common::FileExists(target) && (rule == BackupRule::kRenewBackup || !Taken(backup))) {
    if (!common::RenameFile(target, backup)) return false;  // replaces an older backup
    backed_up = true;
  }
  if (replacement.Commit()) return true;
  // Whatever the outcome, the previous file is not lost: it is back in place or still the backup.
  if (backed_up) static_cast<void>(common::RenameFile(backup, target));
  return false;
}

common::WriteOutcome InstallFile(const std::filesystem::path& target, std::string_view bytes,
                                 const std::filesystem::path& backup, BackupRule rule) {
  common::FileReplacement replacement(target);
  if (replacement.Begin() != common::ReplaceStatus::kOk) {
    return common::WriteOutcome::kCannotCreate;
  }
  common::WriteOutcome outcome = common::WriteFileSynced(replacement.WritePath(), bytes);
  if (outcome != common::WriteOutcome::kWritten) return outcome;
  return PutInPlace(replacement, backup, rule) ? outcome : common::WriteOutcome::kWriteFailed;
}

}  // namespace dictionary
