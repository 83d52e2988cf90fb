// The dictionary commands of the main text window.
#include "app/dictionary_commands/dictionary_commands.h"

#include <QWidget>
#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "app/dictionary_commands/background_build.h"
#include "app/dictionary_commands/build_kind_dialog.h"
#include "app/dictionary_commands/dictionary_registry_dialog.h"
#include "app/dictionary_commands/messages.h"
#include "app/dialogs/sjis_entry.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/status.h"
#include "common/encoding/text_encoding.h"
#include "common/encoding/text_source.h"
#include "common/view/choosers.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "common/platform/working_files.h"
#include "dictionary/build_command.h"
#include "dictionary/duplicate_check.h"
#include "dictionary/messages.h"
#include "dictionary/restore.h"
#include "dictionary/source_sort.h"
#include "engine/commands/preparation.h"

namespace app {

namespace fs = std::filesystem;
namespace messages = dictionary_messages;
using common::view::QStringOfPath;
using common::view::QStringOfUtf8;

DictionaryCommands::DictionaryCommands(DictionaryCommandHost& host,
                                       const DictionaryCommandServices& services,
                                       QWidget* dialog_parent)
    : host_(host),
      services_(services),
      dialog_parent_(dialog_parent),
      build_(new BackgroundBuild(*services.messenger, this)) {
  connect(build_, &BackgroundBuild::Finished, this, &DictionaryCommands::BuildFinished);
}

DictionaryCommands::~DictionaryCommands() = default;

bool DictionaryCommands::Building() const { return build_->Running(); }

common::view::BuildRunner& DictionaryCommands::Builds() { return *build_; }

bool DictionaryCommands::MayClose() {
  if (!Building()) return true;
  services_.messenger->Tell({std::string(messages::kTitleCaution),
                             std::string(messages::kCloseWhileBuilding), common::Icon::kWarning});
  return false;
}

// A second build would share the first one's working files.
bool DictionaryCommands::RefuseWhileBuilding() {
  if (!Building()) return false;
  services_.messenger->Tell({std::string(messages::kTitleCaution),
                             std::string(messages::kBuildRunning), common::Icon::kWarning});
  return true;
}

void DictionaryCommands::OpenSourceClick() {
  if (!host_.MayDropText()) return;
  std::optional<QString> chosen =
      services_.choosers->OpenFileName(dialog_parent_, QStringOfUtf8(messages::kSourceDialogTitle),
                                       QStringOfPath(services_.program->DicDir()),
                                       common::view::QtFilterOf(messages::kSourceFilter));
  if (!chosen) return;
  // A file that cannot be read has been reported; the text stays as it was.
  static_cast<void>(host_.OpenAsDocument(common::view::PathOfQString(*chosen)));
}

void DictionaryCommands::BuildClick() {
  if (RefuseWhileBuilding()) return;
  std::optional<BuildKind> kind = AskBuildKind(services_.open_help, dialog_parent_);
  if (!kind) return;
  switch (*kind) {
    case BuildKind::kRubyDictionary:
      BuildRubyDictionary();
      return;
    case BuildKind::kLevelDictionary:
      BuildLevelDictionary();
      return;
    case BuildKind::kGradeDictionary:
      BuildGradeDictionary();
      return;
  }
}

// The text is taken as it stands when the build starts; the user may edit on meanwhile. Even
// its conversion to Shift_JIS is left to the worker, a large source being megabytes.
void DictionaryCommands::BuildRubyDictionary() {
  fs::path base_name = host_.DocumentBaseName();
  built_base_name_ = base_name;
  auto result = std::make_shared<dictionary::DictionaryBuildResult>();
  host_.ShowProgress(QStringOfUtf8(messages::kProgressBuilding));
  build_->Start(
      [text = host_.Text(), document = host_.CurrentFile(), base_name, program = *services_.program,
       work = common::WorkDir(services_.work_dir), result](common::Messenger& messenger) {
        std::optional<std::string> bytes =
            EncodeTextOrTell(text, document, messenger);
        if (!bytes) {
          result->status = dictionary::BuildStatus::kValidationFailed;
          return;
        }
        common::StringTextSource source(*bytes);
        *result =
            dictionary::RunDictionaryBuild(source, base_name, program, work, messenger, document);
      },
      [this, result] {
        host_.ShowProgress({});
        if (result->show_report) ShowReportClick();
      });
}

void DictionaryCommands::BuildGradeDictionary() {
  auto result = std::make_shared<dictionary::GradeBuildResult>();
  host_.ShowProgress(QStringOfUtf8(messages::kProgressBuilding));
  build_->Start(
      [program = *services_.program, work = common::WorkDir(services_.work_dir),
       result](common::Messenger& messenger) {
        *result = dictionary::RunGradeBuild(program, work, messenger);
      },
      [this, result] {
        host_.ShowProgress({});
        // The dictionary is read with the count the settings give: both are kept at once.
        if (dictionary::KeepGradeKanjiCount(*result, *services_.settings) &&
            services_.settings_changed) {
          services_.settings_changed();
        }
      });
}

void DictionaryCommands::BuildLevelDictionary() {
  host_.ShowProgress(QStringOfUtf8(messages::kProgressBuilding));
  build_->Start(
      [program = *services_.program,
       work = common::WorkDir(services_.work_dir)](common::Messenger& messenger) {
        // The outcome has been told; nothing else follows from it.
        static_cast<void>(dictionary::RunLevelBuild(program, work, messenger));
      },
      [this] { host_.ShowProgress({}); });
}

// Before any build in this run, the report of the source in the window, if it has one.
fs::path DictionaryCommands::ReportPath() const {
  return dictionary::BuildReportPath(built_base_name_.value_or(host_.DocumentBaseName()));
}

void DictionaryCommands::ShowReportClick() {
  fs::path report = ReportPath();
  if (!common::FileExists(report)) {
    services_.messenger->Tell({std::string(messages::kTitleCaution),
                               common::FormatMessage(messages::kCannotOpenFile, {report.string()}),
                               common::Icon::kWarning});
    return;
  }
  // The ruby window may hold a ruby file with unsaved corrections: it is never swapped for the
  // report behind the user's back.
  if (!engine::PassesGuards(host_.RubyWindowOpen(), false, *services_.messenger)) return;
  host_.ShowBuildReport(report);
}

void DictionaryCommands::RestoreClick() {
  if (!host_.Text().isEmpty()) {
    services_.messenger->Tell({std::string(messages::kTitleCautionDouble),
                               std::string(messages::kRestoreNeedsEmptyWindow),
                               common::Icon::kWarning});
    return;
  }
  std::optional<QString> chosen =
      services_.choosers->OpenFileName(dialog_parent_, QStringOfUtf8(messages::kRestoreDialogTitle),
                                       QStringOfPath(services_.settings->user_path),
                                       common::view::QtFilterOf(messages::kDictionaryFilter));
  if (!chosen) return;
  fs::path dictionary_file = common::view::PathOfQString(*chosen);
  if (!common::IsOk(dictionary::RunRestoreCommand(dictionary_file, *services_.messenger))) return;
  // A source that cannot be read back has been reported; it is on disk all the same.
  static_cast<void>(host_.OpenAsDocument(dictionary::RestoredSourcePath(dictionary_file)));
}

void DictionaryCommands::SortClick() {
  host_.ShowStatus(QStringOfUtf8(dictionary::messages::kSortRunning));
  std::optional<std::string> text =
      EncodeTextOrTell(host_.Text(), host_.CurrentFile(), *services_.messenger);
  if (!text) return;
  dictionary::SortResult sorted = dictionary::SortSourceLines(*text);
  if (!sorted.text) {
    services_.messenger->Tell(dictionary::SortFailedMessage(sorted));
    return;
  }
  host_.ReplaceText(common::view::DecodeSjis(*sorted.text));
  host_.ShowStatus(QStringOfUtf8(dictionary::messages::kSortDone));
}

// The check counts bytes as the file holds them, with CR LF; the caret goes to the same place
// in the window's text, whose line breaks are one character.
void DictionaryCommands::DuplicateCheckClick() {
  std::optional<std::string> text =
      EncodeTextOrTell(host_.Text(), host_.CurrentFile(), *services_.messenger);
  if (!text) return;
  std::string on_disk = common::LfToCrLf(*text);
  std::optional<dictionary::DuplicateField> found = dictionary::FindDuplicateFirstField(on_disk);
  if (!found) {
    services_.messenger->Tell(dictionary::NoDuplicateMessage());
    return;
  }
  services_.messenger->Tell(dictionary::DuplicateFoundMessage(*found));
  auto before = std::string_view(on_disk).substr(0, found->byte_position);
  host_.MoveCaretToByte(found->byte_position -
                        static_cast<std::size_t>(std::ranges::count(before, '\r')));
}

void DictionaryCommands::RegistryClick() {
  DictionaryRegistryDialog dialog(
      {services_.settings, services_.program, services_.messenger, services_.choosers,
       services_.open_help, [this](const QString& text) { host_.ShowDictionaryIndicator(text); }},
      dialog_parent_);
  dialog.exec();
}

}  // namespace app
