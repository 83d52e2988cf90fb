// Restore: dictionary in, source file out.
#include "dictionary/restore.h"

#include "common/platform/file_identity.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/encoding/text_file.h"
#include "dictionary/dictionary_signature.h"
#include "dictionary/file_replacement.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSourceExtension = ".pre";
constexpr std::string_view kBackupExtension = ".~pre";
constexpr char kFieldSeparator = ',';

void Tell(common::Messenger& messenger, std::string_view title, std::string text,
          common::Icon icon = common::Icon::kWarning) {
  messenger.Tell({std::string(title), std::move(text), icon});
}

RestoreStatus ConfirmSource(const fs::path& source, common::Messenger& messenger) {
  switch (AskToReplace(source, messages::kTitleConfirm, messenger)) {
    case ReplaceConsent::kGranted:
      return RestoreStatus::kOk;
    case ReplaceConsent::kDeclined:
      return RestoreStatus::kOverwriteDeclined;
    case ReplaceConsent::kReadOnlyKept:
      return RestoreStatus::kReadOnlyKept;
  }
  return RestoreStatus::kOverwriteDeclined;
}

// Writes the lines of every length to `path`. A section the loader refuses (its message shown)
// ends the restore as an unreadable dictionary.
RestoreStatus WriteAllLengths(RubyDictionary& loaded, const fs::path& path,
                              const fs::path& shown_source, common::Messenger& messenger) {
  common::TextWriter out;
  if (!out.Open(path)) {
    Tell(messenger, messages::kTitleAttention,
         common::FormatMessage(messages::kCannotCreateSource, {shown_source.string()}));
    return RestoreStatus::kCannotCreate;
  }
  for (int length = 1; length <= kMaxWordLength; ++length) {
    if (!loaded.LoadLength(length, messenger)) {
      // The partial file is thrown away by the caller; its close result does not matter.
      static_cast<void>(out.Close());
      return RestoreStatus::kCannotOpen;
    }
    out.Write(RestoredLines(loaded));
  }
  if (!out.CloseSynced()) {
    Tell(messenger, messages::kTitleAttention,
         common::FormatMessage(messages::kSourceWriteFailed, {shown_source.string()}));
    return RestoreStatus::kCannotCreate;
  }
  return RestoreStatus::kOk;
}

// The signature is looked at before the loader opens the file: another table with the ".dic"
// extension is named as such, and not as a damaged dictionary, however short it is. A file that
// cannot be read at all is left to the loader, whose message says so.
RestoreStatus OpenRubyDictionary(RubyDictionary& loaded, const fs::path& dictionary,
                                 common::Messenger& messenger) {
  if (SignatureOf(dictionary) == Signature::kOther) {
    Tell(messenger, messages::kTitleCaution, std::string(messages::kNotRubyDictionary));
    return RestoreStatus::kCannotOpen;
  }
  if (!loaded.Open(dictionary, messenger)) return RestoreStatus::kCannotOpen;
  return RestoreStatus::kOk;
}

}  // namespace

fs::path RestoredSourcePath(const fs::path& dictionary) {
  fs::path source = common::WithoutExtension(dictionary);
  source += kSourceExtension;
  return source;
}

std::string RestoredLines(const RubyDictionary& loaded) {
  std::string lines;
  for (std::uint32_t b : loaded.Section().FilledBuckets()) {
    const RubyDictionary::Bucket& bucket = loaded.Buckets()[b];
    for (std::uint32_t j = bucket.first; j < bucket.first + bucket.count; ++j) {
      int index = static_cast<int>(j);
      lines += loaded.Key(index);
      lines += kFieldSeparator;
      lines += DecodeReading(loaded.ReadingOf(index));
      lines += '\n';
    }
  }
  return lines;
}

RestoreStatus RestoreSource(const fs::path& dictionary, common::Messenger& messenger) {
  RubyDictionary loaded;
  RestoreStatus status = OpenRubyDictionary(loaded, dictionary, messenger);
  if (!common::IsOk(status)) return status;
  const fs::path source = RestoredSourcePath(dictionary);
  // A source that is a link to the dictionary would have the dictionary replaced by its text.
  if (common::SameFile(source, dictionary)) {
    Tell(messenger, messages::kTitleAttention,
         common::FormatMessage(messages::kRestoreIntoDictionary,
                               {source.string(), dictionary.string()}));
    return RestoreStatus::kIntoDictionary;
  }
  status = ConfirmSource(source, messenger);
  if (!common::IsOk(status)) return status;

  // Written beside the old source and renamed over it when complete, so that a failed restore
  // never leaves a cut-off source in place of a good one.
  common::FileReplacement replacement(source);
  bool begun = replacement.Begin() == common::ReplaceStatus::kOk;
  if (begun) status = WriteAllLengths(loaded, replacement.WritePath(), source, messenger);
  fs::path backup = common::WithoutExtension(source);
  backup += kBackupExtension;
  if (!begun ||
      (common::IsOk(status) && !PutInPlace(replacement, backup, BackupRule::kRenewBackup))) {
    Tell(messenger, messages::kTitleAttention,
         common::FormatMessage(messages::kSourceWriteFailed, {source.string()}));
    status = RestoreStatus::kCannotCreate;
  }
  return status;
}

RestoreStatus RunRestoreCommand(const fs::path& dictionary, common::Messenger& messenger) {
  RestoreStatus status = RestoreSource(dictionary, messenger);
  std::string shown = RestoredSourcePath(dictionary).string();
  if (common::IsOk(status)) {
    Tell(messenger, messages::kTitleNotice, common::FormatMessage(messages::kRestoreDone, {shown}),
         common::Icon::kInformation);
  } else if (status != RestoreStatus::kOverwriteDeclined &&
             status != RestoreStatus::kReadOnlyKept && status != RestoreStatus::kIntoDictionary) {
    // A source the user chose to keep is no failure: nothing was to be written.
    Tell(messenger, messages::kTitleCautionDouble,
         common::FormatMessage(messages::kRestoreFailed, {shown}));
  }
  return status;
}

}  // namespace dictionary
