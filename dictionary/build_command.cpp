// The dictionary build command around the builder.
#include "dictionary/build_command.h"

#include "common/platform/file_identity.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/encoding/text_source_writer.h"
#include "dictionary/messages.h"

namespace dictionary {
namespace {

void TellCaution(common::Messenger& messenger, std::string_view text) {
  messenger.Tell(
      {std::string(messages::kTitleCautionFullWidth), std::string(text), common::Icon::kWarning});
}

BuildStatus SaveAndBuild(const common::TextSource& text, const std::filesystem::path& base_name,
                         const common::ProgramDir& program, const common::WorkDir& work,
                         common::Messenger& messenger) {
  std::filesystem::path source = work.File(common::kBuildSource);
  // The text is saved as the user wrote it: a lone CR is no line break anywhere in a source, at
  // its end neither, and a last line without a line break is validated as such.
  switch (common::WriteTextSource(text, source, /*final_line_break=*/false)) {
    case common::TextSaveStatus::kOk:
      return BuildDictionary({source, base_name, program, work}, messenger);
    case common::TextSaveStatus::kReadFailed:
      TellCaution(messenger, messages::kTextNotRead);
      break;
    case common::TextSaveStatus::kWriteFailed:
      messenger.Tell({std::string(messages::kTitleAttention),
                      common::FormatMessage(messages::kWorkFileWriteFailed, {source.string()}),
                      common::Icon::kWarning});
      break;
  }
  return BuildStatus::kWorkFileMissing;
}

// Whether a file the build writes is the source itself; if so, says which.
bool SourceIsOutput(const std::filesystem::path& source_file,
                    const std::filesystem::path& base_name, const common::ProgramDir& program,
                    common::Messenger& messenger) {
  if (source_file.empty()) return false;
  const std::filesystem::path outputs[] = {DictionaryOutputPath(base_name, program),
                                           BuildReportPath(base_name),
                                           ReportDirOf(base_name) / common::kHeaderDump};
  for (const std::filesystem::path& output : outputs) {
    if (!common::SameFile(source_file, output)) continue;
    TellCaution(messenger, common::FormatMessage(messages::kSourceIsBuildOutput,
                                                 {source_file.string(), output.string()}));
    return true;
  }
  return false;
}

void TellNotice(common::Messenger& messenger, std::string_view text, bool ok) {
  messenger.Tell({std::string(messages::kTitleNotice), std::string(text),
                  ok ? common::Icon::kInformation : common::Icon::kWarning});
}

}  // namespace

std::filesystem::path BuildReportPath(const std::filesystem::path& base_name) {
  return ReportDirOf(base_name) / common::kBuildReport;
}

DictionaryBuildResult RunDictionaryBuild(const common::TextSource& text,
                                         const std::filesystem::path& base_name,
                                         const common::ProgramDir& program,
                                         const common::WorkDir& work,
                                         common::Messenger& messenger,
                                         const std::filesystem::path& source_file) {
  DictionaryBuildResult result;
  result.report_path = BuildReportPath(base_name);
  if (SourceIsOutput(source_file, base_name, program, messenger)) {
    result.status = BuildStatus::kSourceIsOutput;
  } else if (text.Size() == 0) {
    TellCaution(messenger, messages::kNothingToBuild);
    result.status = BuildStatus::kValidationFailed;
  } else {
    result.status = SaveAndBuild(text, base_name, program, work, messenger);
    std::string name = DictionaryOutputPath(base_name, program).filename().string();
    if (common::IsOk(result.status)) {
      common::Message question{std::string(messages::kTitleConfirmation),
                               common::FormatMessage(messages::kBuildDone, {name}),
                               common::Icon::kQuestion};
      result.show_report = messenger.Ask(question, common::Buttons::kYesNo) == common::Answer::kYes;
    } else {
      TellCaution(messenger, common::FormatMessage(messages::kBuildFailed, {name}));
    }
  }
  // Nothing reads the working source after the build.
  common::RemoveFile(work.File(common::kBuildSource));
  return result;
}

GradeBuildResult RunGradeBuild(const common::ProgramDir& program, const common::WorkDir& work,
                               common::Messenger& messenger) {
  GradeBuildResult result = BuildGradeDictionary(program, messenger);
  bool ok = common::IsOk(result.status);
  TellNotice(messenger, ok ? messages::kGradeBuildDone : messages::kGradeBuildFailed, ok);
  common::RemoveFile(work.File(common::kBuildSource));  // left by an interrupted build, if any
  return result;
}

bool KeepGradeKanjiCount(const GradeBuildResult& result, common::Settings& settings) {
  if (!common::IsOk(result.status)) return false;
  settings.h_kanjisuu = result.kanji_count;
  return true;
}

LevelBuildStatus RunLevelBuild(const common::ProgramDir& program, const common::WorkDir& work,
                               common::Messenger& messenger) {
  LevelBuildStatus status = BuildLevelDictionary(program, messenger);
  bool ok = common::IsOk(status);
  TellNotice(messenger, ok ? messages::kLevelBuildDone : messages::kLevelBuildFailed, ok);
  common::RemoveFile(work.File(common::kBuildSource));  // left by an interrupted build, if any
  return status;
}

}  // namespace dictionary
