// Messages as modal message boxes over the window that owns them.
#include "common/view/message_box_messenger.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

#include "common/view/qt_text.h"

namespace common::view {
namespace {

QMessageBox::Icon IconOf(common::Icon icon) {
  switch (icon) {
    case common::Icon::kInformation:
      return QMessageBox::Information;
    case common::Icon::kWarning:
      return QMessageBox::Warning;
    case common::Icon::kError:
      return QMessageBox::Critical;
    case common::Icon::kQuestion:
      return QMessageBox::Question;
    case common::Icon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(common::Buttons buttons) {
  switch (buttons) {
    case common::Buttons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case common::Buttons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case common::Buttons::kYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case common::Buttons::kOk:
      break;
  }
  return QMessageBox::Ok;
}

common::Answer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return common::Answer::kOk;
    case QMessageBox::Yes:
      return common::Answer::kYes;
    case QMessageBox::No:
      return common::Answer::kNo;
    default:
      return common::Answer::kCancel;  // also Esc and the title bar's close button
  }
}

}  // namespace

// Between a dialog that has closed and the window it returns to, no window is active for a
// moment; a message shown then belongs to the window that was active last, never to the first
// window of the program, which its box would raise over the window the user works in.
MessageBoxMessenger::MessageBoxMessenger(QWidget* parent) : parent_(parent) {
  QObject::connect(qApp, &QApplication::focusChanged, &watcher_, [this](QWidget*, QWidget* now) {
    QWidget* window = now != nullptr ? now->window() : nullptr;
    if (qobject_cast<QMainWindow*>(window) != nullptr) last_active_ = window;
  });
}

QWidget* MessageBoxMessenger::Owner() const {
  QWidget* active = QApplication::activeWindow();
  if (active != nullptr && active->isVisible()) return active;
  if (last_active_ != nullptr && last_active_->isVisible()) return last_active_.data();
  return parent_.data();
}

void MessageBoxMessenger::SetParent(QWidget* parent) { parent_ = parent; }

void MessageBoxMessenger::SetProgressSink(std::function<void(const QString&)> sink) {
  progress_sink_ = std::move(sink);
}

void MessageBoxMessenger::Tell(const common::Message& message) {
  Ask(message, common::Buttons::kOk);
}

common::Answer MessageBoxMessenger::Ask(const common::Message& message, common::Buttons buttons) {
  // The box stands over the window the user is working in (the ruby window's messages over the
  // ruby window), so that it never opens hidden behind another window of the program, and that
  // window has the focus again once the box has closed.
  QWidget* over = Owner();
  QMessageBox box(IconOf(message.icon), QStringOfUtf8(message.title), QStringOfUtf8(message.text),
                  ButtonsOf(buttons), over);
  if (buttons == common::Buttons::kOkCancel || buttons == common::Buttons::kYesNoCancel) {
    box.setEscapeButton(QMessageBox::Cancel);
  }
  return AnswerOf(box.exec());
}

void MessageBoxMessenger::SetProgress(std::string_view text) {
  if (progress_sink_) progress_sink_(QStringOfUtf8(text));
}

}  // namespace common::view
