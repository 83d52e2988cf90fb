// The Messenger of the desktop application: each message is a modal QMessageBox.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>

#include "common/messenger.h"

namespace common::view {

class MessageBoxMessenger final : public common::Messenger {
 public:
  explicit MessageBoxMessenger(QWidget* parent);

  // The window the boxes are centred on when no window of the program is active or was active
  // before; may change as windows come and go.
  void SetParent(QWidget* parent);
  // Receives the progress text of the status line.
  void SetProgressSink(std::function<void(const QString&)> sink);

  void Tell(const common::Message& message) override;
  common::Answer Ask(const common::Message& message, common::Buttons buttons) override;
  void SetProgress(std::string_view text) override;

 private:
  QWidget* Owner() const;

  QPointer<QWidget> parent_;
  // The program's main window (not a dialog) that was active last.
  QPointer<QWidget> last_active_;
  QObject watcher_;  // ends the watch over the active window with the messenger
  std::function<void(const QString&)> progress_sink_;
};

}  // namespace common::view
