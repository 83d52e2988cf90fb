// The ruby window's document: opening, the save commands and the questions about unsaved text.
#include <QString>

#include "common/file_system.h"
#include "common/message_format.h"
#include "common/program_dir.h"
#include "common/settings.h"
#include "common/view/choosers.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "common/view/text_pane.h"
#include "rubywindow/ruby_page.h"
#include "rubywindow/view/messages.h"
#include "rubywindow/view/ruby_document.h"
#include "rubywindow/view/ruby_window.h"

namespace rubywindow::view {

namespace fs = std::filesystem;
using common::view::PathOfQString;
using common::view::QStringOfPath;
using common::view::QStringOfUtf8;

void RubyWindow::OpenRubyFile(const fs::path& path, bool field_flag) {
  field_flag_ = field_flag;
  if (!IsNewDocument(path)) {
    if (!common::FileExists(path)) {
      Tell(messages::kTitleCannotOpen,
           common::FormatMessage(messages::kCannotOpen, {path.string()}), common::Icon::kWarning);
    } else if (LoadDocument(path)) {
      ShowStatus(messages::kOpened, path);
    }
  }
  SetDocumentPath(path);
  pane_->MoveCaretToStart();
}

void RubyWindow::ShowBuildReport(const fs::path& report_path) {
  error_list_mode_ = true;
  OpenRubyFile(report_path, false);
}

bool RubyWindow::IsModified() const { return pane_->IsModified(); }

void RubyWindow::SetDocumentPath(const fs::path& path) {
  document_path_ = path;
  setWindowTitle(QStringOfUtf8(
      error_list_mode_
          ? std::string(messages::kBuildReportTitle)
          : common::FormatMessage(messages::kWindowTitle, {path.filename().string()})));
  ymi_available_ = YmiAvailableFor(path);
  pane_->SetModified(false);
  RefreshCaretDisplay();
}

bool RubyWindow::LoadDocument(const fs::path& path) {
  std::optional<common::view::LoadedText> loaded = common::view::LoadTextFile(path, Messenger());
  if (!loaded) return false;
  pane_->setPlainText(loaded->text);
  encoding_ = loaded->encoding;
  pane_->ApplyLoadCapacity(common::view::SjisByteLength(loaded->text),
                           context_.settings->edit_area_extra);
  return true;
}

// A document named without a folder ("新規ﾌｧｲﾙ.srb" after New) lives in the program folder,
// never in whatever folder the process happens to run in.
fs::path RubyWindow::DocumentOnDisk() {
  document_path_ = DocumentInFolder(document_path_, context_.program->Dir());
  return document_path_;
}

void RubyWindow::NewFile() {
  if (ConfirmUnsaved(messages::kTitleUnsaved) == common::Answer::kCancel) return;
  pane_->clear();
  encoding_ = common::view::TextEncoding::kShiftJis;
  SetDocumentPath(fs::path(std::string(kNewDocumentName)));
}

void RubyWindow::OpenFile() {
  if (ConfirmUnsaved(messages::kTitleUnsaved) == common::Answer::kCancel) return;
  common::Settings& settings = *context_.settings;
  std::optional<QString> chosen = context_.choosers->OpenFileName(
      this, QStringOfUtf8(messages::kOpenDialogTitle), QStringOfPath(settings.user_path),
      common::view::QtFilterOf(messages::kOpenDialogFilter));
  if (!chosen) return;
  fs::path path = PathOfQString(*chosen);
  settings.user_path = path.parent_path();
  pane_->SetTabStopChars(settings.ruby_tab_width);
  if (!LoadDocument(path)) return;
  SetDocumentPath(path);
  ShowStatus(messages::kOpened, path);
}

bool RubyWindow::Save() {
  if (!pane_->IsModified()) {
    Tell(messages::kTitleNotEdited, std::string(messages::kNotEdited));
    return false;
  }
  fs::path path = DocumentOnDisk();
  Tell(messages::kTitleSaveFile, path.string());
  if (common::IsReadOnly(path)) {
    common::Message question{std::string(messages::kTitleReadOnly),
                             common::FormatMessage(messages::kReadOnly, {path.string()}),
                             common::Icon::kQuestion};
    if (Messenger().Ask(question, common::Buttons::kOkCancel) != common::Answer::kOk) {
      return false;
    }
    if (!common::ClearReadOnly(path)) {
      Tell(messages::kTitleReadOnly,
           common::FormatMessage(messages::kReadOnlyNotCleared, {path.string()}),
           common::Icon::kWarning);
      return false;
    }
  }
  return WriteDocument(path);
}

void RubyWindow::SaveAs() {
  if (pane_->document()->isEmpty()) {
    Tell(messages::kTitleNothingToSave, std::string(messages::kNothingToSave),
         common::Icon::kWarning);
    return;
  }
  common::Settings& settings = *context_.settings;
  std::optional<QString> chosen =
      context_.choosers->SaveFileName(this, QStringOfUtf8(messages::kSaveDialogTitle),
                                      QStringOfPath(settings.user_path / document_path_.filename()),
                                      common::view::QtFilterOf(messages::kOpenDialogFilter));
  if (!chosen) return;
  fs::path path = PathOfQString(*chosen);
  settings.user_path = path.parent_path();
  if (!WriteDocument(path)) return;
  SetDocumentPath(path);
}

// The save of the questions: no read-only question, so a read-only file fails to be written,
// says so, and the question's command does not go on.
bool RubyWindow::SaveForPrompt() {
  fs::path path = DocumentOnDisk();
  Tell(messages::kTitleSaveFile, path.string());
  return WriteDocument(path);
}

bool RubyWindow::WriteDocument(const fs::path& path) {
  if (!common::view::SaveTextFile(path, pane_->Text(), encoding_, Messenger())) return false;
  ShowStatus(messages::kSaved, path);
  pane_->SetModified(false);
  return true;
}

// Yes saves first; a save that fails turns the answer into Cancel, so the text is never thrown
// away after a failed save.
common::Answer RubyWindow::ConfirmUnsaved(std::string_view title) {
  if (!pane_->IsModified()) return common::Answer::kNo;
  common::Answer answer = Messenger().Ask(
      {std::string(title), std::string(messages::kUnsaved), common::Icon::kQuestion},
      common::Buttons::kYesNoCancel);
  if (answer == common::Answer::kYes && !SaveForPrompt()) return common::Answer::kCancel;
  return answer;
}

bool RubyWindow::FormCloseQuery() {
  error_list_mode_ = false;
  return ConfirmUnsaved(messages::kTitleUnsavedOnClose) != common::Answer::kCancel;
}

}  // namespace rubywindow::view
