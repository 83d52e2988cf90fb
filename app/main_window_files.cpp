// The main text window's file commands: New, Open, Save and Save As, and the current file.
#include <QLabel>

#include "app/main_text_window.h"
#include "app/messages.h"
#include "common/file_system.h"
#include "common/message_format.h"
#include "common/view/choosers.h"
#include "common/view/qt_text.h"
#include "common/view/sjis_codec.h"
#include "common/view/text_pane.h"

namespace app {

namespace fs = std::filesystem;
using common::view::PathOfQString;
using common::view::QStringOfPath;
using common::view::QStringOfUtf8;

void MainTextWindow::SetCurrentFile(const fs::path& path) {
  current_file_ = path;
  setWindowTitle(QStringOfUtf8(common::FormatMessage(messages::kMainWindowTitle, {path.string()})));
  // Only the file name loses its extension: a dot in a folder name must not send the ruby file
  // into the folder above (/texts/v1.2/story would otherwise give /texts/v1.srb).
  base_name_ = common::WithoutExtension(path);
  UpdateCaretDisplay();
}

// Asked before New and Open. Yes saves first; a save that does not happen abandons the command,
// so that the text is never thrown away unsaved.
common::Answer MainTextWindow::ConfirmUnsaved() {
  if (!pane_->IsModified()) return common::Answer::kNo;
  common::Answer answer =
      context_.messenger->Ask({std::string(messages::kTitleConfirm),
                               std::string(messages::kUnsavedText), common::Icon::kQuestion},
                              common::Buttons::kYesNoCancel);
  if (answer == common::Answer::kYes && !SaveClick()) return common::Answer::kCancel;
  return answer;
}

void MainTextWindow::NewClick() {
  if (ConfirmUnsaved() == common::Answer::kCancel) return;
  pane_->clear();
  pane_->SetModified(false);
  encoding_ = common::view::TextEncoding::kShiftJis;
  pane_->setFocus();
  SetCurrentFile(context_.settings->user_path / messages::kNewFileName);
}

void MainTextWindow::OpenClick() {
  if (ConfirmUnsaved() == common::Answer::kCancel) return;
  std::optional<QString> chosen = context_.choosers->OpenFileName(
      this, QStringOfUtf8(messages::kOpenDialogTitle), QStringOfPath(context_.settings->user_path),
      common::view::QtFilterOf(messages::kTextFileFilter));
  if (!chosen) return;
  (void)OpenFile(PathOfQString(*chosen));  // a failure has shown its message
}

bool MainTextWindow::OpenFile(const fs::path& path) {
  context_.settings->user_path = path.parent_path();
  pane_->SetTabStopChars(context_.settings->main_tab_width);
  std::optional<common::view::LoadedText> loaded =
      common::view::LoadTextFile(path, *context_.messenger);
  if (!loaded) return false;
  LoadText(*loaded, path);
  return true;
}

void MainTextWindow::LoadText(const common::view::LoadedText& loaded, const fs::path& path) {
  pane_->setPlainText(loaded.text);
  encoding_ = loaded.encoding;
  pane_->ApplyLoadCapacity(common::view::SjisByteLength(loaded.text),
                           context_.settings->edit_area_extra);
  SetCurrentFile(path);
  ShowFileStatus(messages::kOpenedStatus, path);
  pane_->setFocus();
  pane_->SetModified(false);
}

bool MainTextWindow::SaveClick() {
  if (!pane_->IsModified()) {
    Tell(messages::kTitleNotice, std::string(messages::kNotEdited));
    return false;
  }
  if (current_file_.empty() ||
      current_file_.string().find(messages::kNewFileName) != std::string::npos) {
    return SaveAsClick();
  }
  if (!ClearReadOnlyIfAsked(current_file_) || !WriteText(current_file_)) return false;
  ShowFileStatus(messages::kSavedStatus, current_file_);
  pane_->SetModified(false);
  return true;
}

bool MainTextWindow::SaveAsClick() {
  if (pane_->Text().isEmpty()) {
    Tell(messages::kTitleNotice, std::string(messages::kNothingToSave));
    return false;
  }
  fs::path proposed = context_.settings->user_path / current_file_.filename();
  std::optional<QString> chosen = context_.choosers->SaveFileName(
      this, QStringOfUtf8(messages::kSaveDialogTitle), QStringOfPath(proposed),
      common::view::QtFilterOf(messages::kTextFileFilter));
  if (!chosen) return false;
  fs::path path = PathOfQString(*chosen);
  if (!ClearReadOnlyIfAsked(path) || !WriteText(path)) return false;
  SetCurrentFile(path);
  ShowFileStatus(messages::kSavedStatus, path);
  pane_->SetModified(false);
  return true;
}

// A read-only target is written only when the user agrees to make it writable. True when the
// file may be written (also when it is not read-only or does not exist).
bool MainTextWindow::ClearReadOnlyIfAsked(const fs::path& path) {
  if (!common::FileExists(path) || !common::IsReadOnly(path)) return true;
  common::Answer answer = context_.messenger->Ask(
      {std::string(messages::kTitleConfirmStrong),
       common::FormatMessage(messages::kReadOnlyFile, {path.string()}), common::Icon::kQuestion},
      common::Buttons::kOkCancel);
  if (answer != common::Answer::kOk) return false;
  if (common::ClearReadOnly(path)) return true;
  Tell(messages::kTitleConfirmStrong,
       common::FormatMessage(messages::kReadOnlyNotCleared, {path.string()}));
  return false;
}

bool MainTextWindow::WriteText(const fs::path& path) {
  return common::view::SaveTextFile(path, pane_->Text(), encoding_, *context_.messenger);
}

void MainTextWindow::ShowFileStatus(std::string_view pattern, const fs::path& path) {
  file_panel_->setText(QStringOfUtf8(common::FormatMessage(pattern, {path.string()})));
}

}  // namespace app
