// The ruby window's document: opening a ruby file or the build report, its name and title, and
// where it is saved.
#include <QAction>
#include <QString>

#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"
#include "common/view/choosers.h"
#include "common/view/qt_text.h"
#include "common/view/status_line.h"
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

void RubyWindow::OpenRubyFile(const fs::path& given, bool field_flag) {
  const fs::path path = given.empty() ? NewDocumentPath() : given;
  field_flag_ = field_flag;
  if (!IsNewDocument(path)) {
    if (!common::FileExists(path)) {
      Tell(messages::kTitleCannotOpen,
           common::FormatMessage(messages::kCannotOpenFile, {path.string()}),
           common::Icon::kWarning);
    } else if (LoadDocument(path)) {
      ShowFileStatus(messages::kOpenedStatus, path);
    }
  }
  SetDocumentPath(path);
  // A line pass without fields writes an .lrb as well, but it has no fields to list.
  if (!field_flag_) {
    ymi_available_ = false;
    Named("makeYmi")->setEnabled(false);
  }
  Pane()->SetModified(false);
  Pane()->MoveCaretToStart();
  if (context_.settings->highlight_readings == 1) {
    Named("rubyEmphasis")->setChecked(true);
    SetEmphasis(true);
  }
}

void RubyWindow::AnnounceWritten(const fs::path& backup) {
  FilePanel()->setText(QStringOfUtf8(
      backup.empty()
          ? common::FormatMessage(messages::kWritten, {DocumentPath().string()})
          : common::FormatMessage(messages::kWrittenWithBackup,
                                  {DocumentPath().string(), backup.filename().string()})));
}

void RubyWindow::ShowBuildReport(const fs::path& report_path) {
  error_list_mode_ = true;
  OpenRubyFile(report_path, false);
}

QString RubyWindow::TitleFor(const fs::path& path) const {
  return QStringOfUtf8(
      error_list_mode_ ? std::string(messages::kBuildReportTitle)
                       : common::FormatMessage(messages::kWindowTitle, {path.filename().string()}));
}

fs::path RubyWindow::NewDocumentPath() const { return fs::path(std::string(kNewDocumentName)); }

// A document named without a folder ("新規ﾌｧｲﾙ.srb" after New) lives in the program folder,
// never in whatever folder the process happens to run in.
std::optional<fs::path> RubyWindow::OverwriteTarget() { return DocumentOnDisk(); }

fs::path RubyWindow::DocumentOnDisk() {
  fs::path on_disk = DocumentInFolder(DocumentPath(), context_.program->Dir());
  if (on_disk != DocumentPath()) SetDocumentPath(on_disk);
  return on_disk;
}

void RubyWindow::DocumentPathChanged() {
  ymi_available_ = YmiAvailableFor(DocumentPath());
  Named("makeYmi")->setEnabled(ymi_available_);
}

bool RubyWindow::QueryClose() {
  error_list_mode_ = false;
  return TextWindow::QueryClose();
}

}  // namespace rubywindow::view
