// Links to the system's dictionaries replaced by copies of the user's own.
#include "jobs/learn_copies.h"

#include <cerrno>
#include <string>
#include <system_error>

#include "common/encoding/text_file.h"
#include "common/message_format.h"
#include "common/platform/file_system.h"
#include "dictionary/restore.h"
#include "jobs/messages.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;

bool IsLinkToOthersFile(const fs::path& path) {
  std::error_code error;
  return fs::is_symlink(path, error) && common::FileExists(path) && !common::MayReplace(path);
}

// The bytes the link leads to, in a new file renamed over the link itself.
bool ReplaceLinkWithCopy(const fs::path& link, common::Messenger& messenger) {
  common::FileBytes bytes = common::ReadBinaryFile(link);
  if (!bytes.ok) {
    messenger.Tell({std::string(messages::kTitleCaution),
                    common::FormatMessage(messages::kCannotReadFile, {link.string()}),
                    common::Icon::kWarning});
    return false;
  }
  fs::path temporary = common::TemporarySibling(link);
  int error = 0;
  if (temporary.empty() ||
      common::WriteFileSynced(temporary, bytes.bytes) != common::WriteOutcome::kWritten ||
      !common::RenameFile(temporary, link)) {
    error = errno;
    // The failure is told below; a temporary file that outlives it is a stray, not a loss.
    if (!temporary.empty()) static_cast<void>(common::RemoveFile(temporary));
    messenger.Tell({std::string(messages::kTitleCaution),
                    common::FormatMessage(messages::kCannotWriteFile,
                                          {link.string(), common::WriteFailureCause(link, error)}),
                    common::Icon::kWarning});
    return false;
  }
  return true;
}

}  // namespace

OwnCopyStatus MakeOwnCopies(const fs::path& dictionary, common::Messenger& messenger) {
  const fs::path source = dictionary::RestoredSourcePath(dictionary);
  const bool source_linked = IsLinkToOthersFile(source);
  const bool dictionary_linked = IsLinkToOthersFile(dictionary);
  if (!source_linked && !dictionary_linked) return OwnCopyStatus::kNotNeeded;
  // The source first: the dictionary is built from it, and each copy alone loses nothing.
  if (source_linked && !ReplaceLinkWithCopy(source, messenger)) return OwnCopyStatus::kFailed;
  if (dictionary_linked && !ReplaceLinkWithCopy(dictionary, messenger)) {
    return OwnCopyStatus::kFailed;
  }
  messenger.Tell({std::string(messages::kTitleOwnDictionary),
                  common::FormatMessage(messages::kOwnDictionaryMade,
                                        {dictionary.string(), dictionary.parent_path().string()}),
                  common::Icon::kInformation});
  return OwnCopyStatus::kMade;
}

}  // namespace jobs
