// Replacing a dictionary or a source that the user may still want: the question before an
// existing file is overwritten, and putting a finished file in its place with one backup.
#pragma once

#include <filesystem>
#include <string_view>

#include "common/file_system.h"
#include "common/messenger.h"

namespace dictionary {

enum class ReplaceConsent { kGranted, kDeclined, kReadOnlyKept };

// Asks nothing when `target` does not exist. A read-only target is offered to be made writable
// (and is, on OK); any other target needs the user's OK to be overwritten. Questions are
// titled `title`.
ReplaceConsent AskToReplace(const std::filesystem::path& target, std::string_view title,
                            common::Messenger& messenger);

enum class BackupRule {
  kKeepFirstBackup,  // an existing backup stays, and the target is replaced without a new one
  kRenewBackup,      // an existing backup is replaced by the target
};

// Moves the complete file `written`, which lies in the folder of `target`, to `target`. A
// target that exists becomes `backup` as `rule` says. On false the target still holds its
// previous content and `written` is left for the caller to remove.
[[nodiscard]] bool PutInPlace(const std::filesystem::path& written,
                              const std::filesystem::path& target,
                              const std::filesystem::path& backup, BackupRule rule);

// Writes `bytes` to a temporary file beside `target`, synced, and puts it in place with
// PutInPlace and `rule`. kWritten only when the target holds the new bytes; on any failure the
// target keeps its previous content and no temporary file is left.
common::WriteOutcome InstallFile(const std::filesystem::path& target, std::string_view bytes,
                                 const std::filesystem::path& backup, BackupRule rule);

}  // namespace dictionary
