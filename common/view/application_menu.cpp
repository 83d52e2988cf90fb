// The applications menu: actions kept in step with the slots, the dialog, and the launch.
#include "common/view/application_menu.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>

#include "common/view/application_dialog.h"
#include "common/view/qt_text.h"

namespace common::view {

namespace {

constexpr Qt::Key kFirstLaunchKey = Qt::Key_F1;
// Programs are picked where Linux keeps them; a program of the user's own is one folder away.
constexpr const char* kProgramFolder = "/usr/bin";

}  // namespace

ApplicationMenu::ApplicationMenu(QWidget* window, const WindowServices& services,
                                 std::function<LaunchTarget()> target)
    : QObject(window),
      window_(window),
      services_(services),
      target_(std::move(target)),
      menu_(new QMenu(tr("アプリケーション(&A)"), window)) {
  menu_->menuAction()->setObjectName(QStringLiteral("applicationMenu"));
  menu_->setToolTipsVisible(true);
  menu_->menuAction()->setStatusTip(tr("外部ｱﾌﾟﾘｹｰｼｮﾝの登録・実行を行う"));
  QAction* registration = menu_->addAction(tr("登録・削除(&I)"));
  connect(registration, &QAction::triggered, this, [this] { RegisterClick(); });
  registration->setObjectName(QStringLiteral("registerApplications"));
  registration->setStatusTip(tr("実行するApplicationを登録・削除する。"));
  menu_->addSeparator();
  menu_->addAction(tr("▽ 実　行 ▽"))->setEnabled(false);
  for (int slot = 0; slot < kApplicationSlots; ++slot) {
    QAction* launch = menu_->addAction(QString());
    connect(launch, &QAction::triggered, this, [this, slot] { (void)Launch(slot); });
    launch->setObjectName(QStringLiteral("launchApplication%1").arg(slot));
    launch->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(kFirstLaunchKey + slot)));
    launches_[slot] = launch;
  }
  Rebuild();
}

void ApplicationMenu::Rebuild() {
  auto entries = ApplicationEntries(*services_.settings);
  for (int slot = 0; slot < kApplicationSlots; ++slot) {
    launches_[slot]->setText(QStringOfUtf8(entries[slot].caption));
    launches_[slot]->setVisible(entries[slot].shown);
    launches_[slot]->setEnabled(entries[slot].shown);
  }
}

void ApplicationMenu::RebuildEverywhere() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    for (ApplicationMenu* menu : window->findChildren<ApplicationMenu*>()) menu->Rebuild();
  }
}

void ApplicationMenu::RegisterClick() {
  ApplicationDialog dialog(*services_.settings, *services_.messenger, *services_.choosers,
                           QString::fromLatin1(kProgramFolder), window_, services_.open_help);
  dialog.exec();
  RebuildEverywhere();
}

// The status says it all: each failure has been told.
ApplicationLaunch ApplicationMenu::Launch(int slot) {
  return LaunchApplication(*services_.settings, slot, target_(), *services_.starter,
                           *services_.messenger);
}

}  // namespace common::view
