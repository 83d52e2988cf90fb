// The copy of a window's unsaved text, kept aside while it is edited, so that a crash, a kill
// or a lost session costs at most the last seconds of typing.
#include <QElapsedTimer>
#include <QStatusBar>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>

#include "common/message_format.h"
#include "common/documents/recovery.h"
#include "common/view/messages.h"
#include "common/view/qt_text.h"
#include "common/view/text_pane.h"
#include "common/view/text_window.h"

namespace common::view {

namespace {
// Long enough that typing is not slowed by a write per key; short enough to lose little.
constexpr int kUnsavedCopyDelayMs = 2000;
// A long text (a whole dictionary source) takes a while to copy; the copies then come so much
// less often that they never take more than a twentieth of the time.
constexpr int kUnsavedCopyShare = 20;
constexpr int kLongestUnsavedCopyDelayMs = 60000;
constexpr int kStatusMessageMs = 15000;
}  // namespace

void TextWindow::KeepUnsavedCopies() {
  if (services_.recovery == nullptr || traits_.unsaved_copy_name.empty()) return;
  unsaved_copy_timer_ = new QTimer(this);
  unsaved_copy_timer_->setSingleShot(true);
  unsaved_copy_timer_->setInterval(kUnsavedCopyDelayMs);
  connect(unsaved_copy_timer_, &QTimer::timeout, this, &TextWindow::KeepUnsavedCopy);
  // Not restarted by every key: a long spell of typing is copied every few seconds.
  connect(pane_->document(), &QTextDocument::contentsChanged, this, [this] {
    if (IsModified() && !unsaved_copy_timer_->isActive()) unsaved_copy_timer_->start();
  });
  // Saved, reloaded, or undone back to what the file holds: nothing left to lose.
  connect(pane_->document(), &QTextDocument::modificationChanged, this, [this](bool modified) {
    if (!modified) DiscardUnsavedCopy();
  });
}

void TextWindow::KeepUnsavedCopy() {
  if (unsaved_copy_timer_ == nullptr) return;
  if (!IsModified()) {
    DiscardUnsavedCopy();
    return;
  }
  QElapsedTimer spent;
  spent.start();
  RecoveredText copy{std::string(traits_.unsaved_copy_name), document_path_, form_.encoding,
                     pane_->toPlainText().toStdString()};
  bool kept = services_.recovery->Keep(copy);
  unsaved_copy_timer_->setInterval(static_cast<int>(std::clamp<qint64>(
      spent.elapsed() * kUnsavedCopyShare, kUnsavedCopyDelayMs, kLongestUnsavedCopyDelayMs)));
  if (kept) {
    unsaved_copy_failed_ = false;
  } else if (!unsaved_copy_failed_) {
    unsaved_copy_failed_ = true;
    statusBar()->showMessage(
        QStringOfUtf8(FormatMessage(kUnsavedCopyFailed, {services_.recovery->Folder().string()})),
        kStatusMessageMs);
  }
}

void TextWindow::DiscardUnsavedCopy() {
  if (unsaved_copy_timer_ == nullptr) return;
  unsaved_copy_timer_->stop();
  services_.recovery->Discard(traits_.unsaved_copy_name);
}

void TextWindow::RestoreUnsaved(const RecoveredText& recovered) {
  form_ = FormOnDisk(recovered.document, recovered.encoding);
  pane_->setPlainText(QString::fromStdString(recovered.text));
  SetDocumentPath(recovered.document);
  pane_->SetModified(true);
  RefreshTitle();
  // Kept again at once: the copy went when the text was replaced.
  KeepUnsavedCopy();
}

}  // namespace common::view
