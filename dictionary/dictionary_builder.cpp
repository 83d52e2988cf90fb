// The dictionary build, step by step.
#include "dictionary/dictionary_builder.h"

#include <new>
#include <string>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "dictionary/dictionary_compiler.h"
#include "dictionary/file_replacement.h"
#include "dictionary/header_dump.h"
#include "dictionary/length_files.h"
#include "dictionary/messages.h"
#include "dictionary/source_validation.h"

namespace dictionary {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kMainDictionaryMark = "QV_BODY";
constexpr std::string_view kUserDictionaryMark = "QV_USERS";
constexpr std::string_view kDictionaryExtension = ".dic";
constexpr std::string_view kBackupExtension = ".~dic";

void TellAttention(common::Messenger& messenger, std::string text) {
  messenger.Tell({std::string(messages::kTitleAttention), std::move(text), common::Icon::kWarning});
}

BuildStatus RunValidation(const BuildRequest& request, const fs::path& output,
                          common::Messenger& messenger) {
  ValidationResult validation = ValidateSource(
      {request.source, output, ReportDirOf(request.base_name), request.work}, messenger);
  if (!validation.ok()) return BuildStatus::kValidationFailed;
  if (validation.rejected == 0) return BuildStatus::kOk;
  common::Message question{std::string(messages::kTitleAttention),
                           common::FormatMessage(messages::kRejectedEntries,
                                                 {static_cast<std::int64_t>(validation.rejected)}),
                           common::Icon::kQuestion};
  return messenger.Ask(question, common::Buttons::kOkCancel) == common::Answer::kOk
             ? BuildStatus::kOk
             : BuildStatus::kValidationFailed;
}

BuildStatus ConfirmOutput(const fs::path& output, common::Messenger& messenger) {
  switch (AskToReplace(output, messages::kTitleAttention, messenger)) {
    case ReplaceConsent::kGranted:
      return BuildStatus::kOk;
    case ReplaceConsent::kDeclined:
      return BuildStatus::kOverwriteDeclined;
    case ReplaceConsent::kReadOnlyKept:
      return BuildStatus::kReadOnlyKept;
  }
  return BuildStatus::kOverwriteDeclined;
}

BuildStatus RefuseWorkFile(const LengthFileEntries& read, const common::WorkDir& work,
                           common::Messenger& messenger) {
  std::string name = work.File(common::LengthFileName(read.failed_length)).string();
  std::string_view pattern = read.status == LengthFileStatus::kMissing
                                 ? messages::kCannotOpenWorkFile
                                 : messages::kWorkFileDamaged;
  TellAttention(messenger, common::FormatMessage(pattern, {name}));
  return BuildStatus::kWorkFileMissing;
}

// Entries that the format cannot hold are refused before anything is written.
BuildStatus RefuseLayout(const CompiledDictionary& compiled, common::Messenger& messenger) {
  std::string_view pattern = compiled.error == CompileError::kBucketOverflow
                                 ? messages::kBucketOverflow
                                 : messages::kDictionaryTooLarge;
  TellAttention(messenger, common::FormatMessage(pattern, {std::int64_t{compiled.failed_length}}));
  return BuildStatus::kValidationFailed;
}

BuildStatus CompileWorkFiles(const common::WorkDir& work, common::Messenger& messenger,
                             CompiledDictionary& compiled) {
  try {
    LengthFileEntries read = ReadLengthFiles(work);
    if (read.status != LengthFileStatus::kOk) return RefuseWorkFile(read, work, messenger);
    compiled = CompileDictionary(read.entries);
  } catch (const std::bad_alloc&) {
    TellAttention(messenger, std::string(messages::kLackOfMemory));
    return BuildStatus::kNoMemory;
  }
  return compiled.ok() ? BuildStatus::kOk : RefuseLayout(compiled, messenger);
}

// The new dictionary is written beside the old one and renamed over it only when complete, so
// a full disk never leaves a cut-off dictionary where a good one was.
BuildStatus InstallDictionary(const CompiledDictionary& compiled, const fs::path& output,
                              common::Messenger& messenger) {
  fs::path backup = common::WithoutExtension(output);
  backup += kBackupExtension;
  common::WriteOutcome outcome =
      InstallFile(output, compiled.bytes, backup, BackupRule::kKeepFirstBackup);
  if (outcome == common::WriteOutcome::kWritten) return BuildStatus::kOk;
  std::string_view pattern = outcome == common::WriteOutcome::kCannotCreate
                                 ? messages::kCannotCreateDictionary
                                 : messages::kDictionaryWriteFailed;
  TellAttention(messenger, common::FormatMessage(pattern, {output.string()}));
  return BuildStatus::kCannotCreate;
}

void RemoveLengthFiles(const common::WorkDir& work) {
  for (int length = 1; length <= kMaxWordLength; ++length) {
    // A file left behind is harmless: the next validation writes every one of them anew.
    common::RemoveFile(work.File(common::LengthFileName(length)));
  }
}

}  // namespace

fs::path DictionaryOutputPath(const fs::path& base_name, const common::ProgramDir& program) {
  // Only the name counts: a folder such as qv_body_old/ says nothing about the source in it.
  std::string upper = base_name.filename().string();
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (upper.find(kMainDictionaryMark) != std::string::npos) return program.MainDictionary();
  if (upper.find(kUserDictionaryMark) != std::string::npos) {
    return program.StandardUserDictionary();
  }
  fs::path output = base_name;
  output += kDictionaryExtension;
  return output;
}

fs::path ReportDirOf(const fs::path& base_name) { return base_name.parent_path(); }

BuildStatus BuildDictionary(const BuildRequest& request, common::Messenger& messenger) {
  const fs::path output = DictionaryOutputPath(request.base_name, request.program);
  messenger.SetProgress(messages::kProgressValidating);
  BuildStatus status = RunValidation(request, output, messenger);
  if (!common::IsOk(status)) return status;
  messenger.Tell({std::string(messages::kTitleNotice),
                  common::FormatMessage(messages::kDictionaryName, {output.string()}),
                  common::Icon::kInformation});
  status = ConfirmOutput(output, messenger);
  if (!common::IsOk(status)) return status;

  CompiledDictionary compiled;
  messenger.SetProgress(messages::kProgressCompiling);
  status = CompileWorkFiles(request.work, messenger, compiled);
  if (!common::IsOk(status)) return status;
  messenger.SetProgress(messages::kProgressWriting);
  status = InstallDictionary(compiled, output, messenger);
  if (!common::IsOk(status)) return status;

  // The dump is a diagnostic aid: a dictionary in place is a finished build without it.
  static_cast<void>(
      WriteHeaderDump(ReportDirOf(request.base_name) / common::kHeaderDump, compiled));
  RemoveLengthFiles(request.work);
  return BuildStatus::kOk;
}

}  // namespace dictionary
