// The Messenger of the desktop application: each message is a modal QMessageBox.
#pragma once

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

  // The window the boxes are centred on; may change as windows come and go.
  void SetParent(QWidget* parent);
  // Receives the progress text of the status line.
  void SetProgressSink(std::function<void(const QString&)> sink);

  void Tell(const common::Message& message) override;
  common::Answer Ask(const common::Message& message, common::Buttons buttons) override;
  void SetProgress(std::string_view text) override;

 private:
  QPointer<QWidget> parent_;
  std::function<void(const QString&)> progress_sink_;
};

}  // namespace common::view
