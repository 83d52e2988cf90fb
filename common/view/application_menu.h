// The menu "アプリケーション(&A)" that every text window carries: the registration dialog and ten
// launch entries (Ctrl+F1 … Ctrl+F10) that start a registered program on the window's file.
#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "common/settings/applications.h"
#include "common/messenger.h"
#include "common/platform/program_starter.h"
#include "common/settings/settings.h"
#include "common/view/window_services.h"

class QAction;
class QMenu;
class QWidget;

namespace common::view {

class ApplicationMenu : public QObject {
  Q_OBJECT

 public:
  // `target` says, at each launch, which file the window's text goes to and how it is written.
  ApplicationMenu(QWidget* window, const WindowServices& services,
                  std::function<LaunchTarget()> target);

  QMenu* Menu() const { return menu_; }
  // The launch entries as the slots now stand.
  void Rebuild();
  // The same, in every window of the program: the slots are shared.
  static void RebuildEverywhere();

  void RegisterClick();
  ApplicationLaunch Launch(int slot);

 private:
  QWidget* window_;
  WindowServices services_;
  std::function<LaunchTarget()> target_;
  QMenu* menu_;
  std::array<QAction*, kApplicationSlots> launches_{};
};

}  // namespace common::view
