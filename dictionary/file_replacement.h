// Replacing a dictionary or a source that the user may still want: the question before an
// existing file is overwritten, and a backup of it as the common replacement puts the finished
// file in its place.
#pragma once

#include <filesystem>
#include <string_view>

#include "common/platform/file_replace.h"
#include "common/platform/file_system.h"
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

// Commits `replacement`, whose file is complete; a target that exists becomes `backup` first,
// as `rule` says. On false the target still holds its previous content.
[[nodiscard]] bool PutInPlace(common::FileReplacement& replacement,
                              const std::filesystem::path& backup, BackupRule rule);

// Writes `bytes` through a common::FileReplacement of `target`, synced, and puts it in place
// with PutInPlace and `rule`. kWritten only when the target holds the new bytes; on any failure
// the target keeps its previous content and no temporary file is left.
common::WriteOutcome InstallFile(const std::filesystem::path& target, std::string_view bytes,
                                 const std::filesystem::path& backup, BackupRule rule);

}  // namespace dictionary
