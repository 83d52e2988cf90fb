// The dialog "アプリケーションを登録する": registering external applications by name and program,
// checking a program's path, and removing the ticked ones or all. It changes the settings' slots
// at once; there is nothing to cancel.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "common/messenger.h"
#include "common/settings/settings.h"

namespace Ui {
class ApplicationDialog;
}

namespace common::view {

class Choosers;

class ApplicationDialog : public QDialog {
  Q_OBJECT

 public:
  // Everything handed in outlives the dialog. The file dialog for the program starts in
  // `start_folder`. The help button opens the guide through `open_help`, and is hidden without
  // it.
  ApplicationDialog(Settings& settings, Messenger& messenger, Choosers& choosers,
                    QString start_folder, QWidget* parent, std::function<void()> open_help = {});
  ~ApplicationDialog() override;

 public slots:
  void RegisterClick();      // F3
  void CheckPathClick();     // F4
  void RemoveTickedClick();  // F7
  void RemoveAllClick();     // F8

 private:
  void FillList();
  void UpdateMode();
  void ShowSlot(int row);

  std::unique_ptr<Ui::ApplicationDialog> ui_;
  Settings& settings_;
  Messenger& messenger_;
  Choosers& choosers_;
  QString start_folder_;
};

}  // namespace common::view
