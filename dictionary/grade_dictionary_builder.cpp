// Building HaitouNen.dic from 教育漢字.txt. The whole source is checked before anything is
// written, and the new dictionary replaces the old one only once it is complete.
#include <string>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/settings/settings.h"
#include "common/encoding/text_file.h"
#include "dictionary/file_replacement.h"
#include "dictionary/grade_dictionary.h"
#include "dictionary/grade_dictionary_format.h"
#include "dictionary/grade_source.h"
#include "dictionary/messages.h"
#include "dictionary/source_text.h"

namespace dictionary {
namespace {

constexpr std::string_view kBackupExtension = ".di$";

void TellCaution(common::Messenger& messenger, std::string text) {
  messenger.Tell(
      {std::string(messages::kTitleCautionDouble), std::move(text), common::Icon::kWarning});
}

// A line error, or a source that the fixed layout cannot hold: said here, once.
bool SourceFits(const GradeSource& source, common::Messenger& messenger) {
  std::int64_t line = source.line_number;
  if (source.status == GradeBuildStatus::kOverLimit) {
    TellCaution(messenger, common::FormatMessage(messages::kGradeTooManyReadings,
                                                 {line, std::int64_t{kGradeMaxReadingsPerKanji}}));
    return false;
  }
  if (source.status != GradeBuildStatus::kOk) {
    TellCaution(messenger, common::FormatMessage(messages::kGradeLineError, {line}));
    return false;
  }
  auto count = static_cast<std::int64_t>(source.entries.size());
  if (count > kGradeMaxKanji) {
    TellCaution(messenger, common::FormatMessage(messages::kGradeTooManyKanji,
                                                 {count, std::int64_t{kGradeMaxKanji}}));
    return false;
  }
  if (source.reading_bytes > static_cast<int>(kGradeReadingAreaSize)) {
    TellCaution(messenger,
                common::FormatMessage(messages::kGradeTooManyReadingBytes,
                                      {std::int64_t{source.reading_bytes},
                                       static_cast<std::int64_t>(kGradeReadingAreaSize)}));
    return false;
  }
  return true;
}

bool OverwriteAllowed(const std::filesystem::path& target, common::Messenger& messenger) {
  if (!common::FileExists(target)) return true;
  common::Message question{std::string(messages::kTitleConfirmationDouble),
                           std::string(messages::kGradeDictionaryExists), common::Icon::kQuestion};
  return messenger.Ask(question, common::Buttons::kOkCancel) == common::Answer::kOk;
}

GradeBuildStatus WriteInPlace(const std::filesystem::path& target, std::string_view bytes,
                              common::Messenger& messenger) {
  std::filesystem::path backup = target;
  backup.replace_extension(kBackupExtension);
  // An existing .di$ backup is the older generation the user may rely on: it stays.
  common::WriteOutcome outcome =
      InstallFile(target, bytes, backup, BackupRule::kKeepFirstBackup);
  if (outcome == common::WriteOutcome::kWritten) return GradeBuildStatus::kOk;
  TellCaution(messenger, std::string(outcome == common::WriteOutcome::kCannotCreate
                                         ? messages::kGradeCannotCreate
                                         : messages::kGradeWriteFailed));
  return GradeBuildStatus::kCannotCreate;
}

}  // namespace

GradeBuildResult BuildGradeDictionary(const common::ProgramDir& program,
                                      common::Messenger& messenger) {
  GradeBuildResult result;
  SourceText text = ReadSourceText(program.GradeSource(), messenger);
  if (text.status == SourceTextStatus::kUnreadable) {
    TellCaution(messenger, std::string(messages::kGradeSourceMissing));
    result.status = GradeBuildStatus::kSourceMissing;
    return result;
  }
  if (text.status == SourceTextStatus::kUnencodable) {
    result.status = GradeBuildStatus::kUnencodable;
    return result;
  }
  GradeSource source = ParseGradeSource(text.sjis);
  if (!SourceFits(source, messenger)) {
    result.status =
        source.status == GradeBuildStatus::kOk ? GradeBuildStatus::kOverLimit : source.status;
    return result;
  }
  // The grade filter reads exactly H_KANJISUU entries: a dictionary whose count cannot be
  // recorded would be read with the old count, so the old dictionary stays instead.
  if (!common::CanSaveSettings(program.Dir())) {
    TellCaution(messenger, common::FormatMessage(messages::kGradeSettingsUnwritable,
                                                 {program.SettingsFile().string()}));
    result.status = GradeBuildStatus::kSettingsUnwritable;
    return result;
  }
  if (!OverwriteAllowed(program.GradeDictionary(), messenger)) {
    result.status = GradeBuildStatus::kOverwriteDeclined;
    return result;
  }
  result.status =
      WriteInPlace(program.GradeDictionary(), EncodeGradeDictionary(source.entries), messenger);
  if (result.status == GradeBuildStatus::kOk) {
    result.kanji_count = static_cast<int>(source.entries.size());
  }
  return result;
}

}  // namespace dictionary
