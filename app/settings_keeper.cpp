#include "app/settings_keeper.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <string>

#include "app/messages.h"
#include "common/platform/file_system.h"
#include "common/settings/ini_file.h"
#include "common/message_format.h"

namespace app {

namespace {

// The ends of user actions after which a setting may have been chosen. A modal dialog ends by
// hiding, before the code that opened it takes its choices: the write waits for the event loop.
bool EndsAnAction(const QObject* watched, const QEvent& event) {
  switch (event.type()) {
    case QEvent::Hide: {
      const auto* widget = qobject_cast<const QWidget*>(watched);
      return widget != nullptr && widget->isWindow();
    }
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

// The settings as a write would put them into an empty file: what decides whether there is
// anything to write (the keys that are only read never reach the file).
std::string WrittenForm(const common::Settings& settings) {
  common::IniFile file;
  common::PutSettings(settings, file);
  return file.Serialize();
}

}  // namespace

SettingsKeeper::SettingsKeeper(const common::ProgramDir& program, common::Settings& settings,
                               common::Messenger& messenger, QObject* parent)
    : QObject(parent),
      program_(program),
      settings_(settings),
      messenger_(messenger),
      // A program folder without a settings file gets one at the first chance, as it always did.
      written_(common::FileExists(program.SettingsFile()) ? WrittenForm(settings) : std::string()) {
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->installEventFilter(this);
  }
  if (auto* widget = qobject_cast<QWidget*>(parent)) {
    for (QAction* action : widget->findChildren<QAction*>()) WatchAction(action);
  }
}

SettingsKeeper::~SettingsKeeper() = default;

void SettingsKeeper::SaveChanges() {
  if (saving_) return;
  std::string now = WrittenForm(settings_);
  if (now == written_) return;
  saving_ = true;
  if (common::SaveChangedSettings(program_.Dir(), written_, settings_)) {
    written_ = std::move(now);
    refused_.reset();
    failure_told_ = false;
  } else {
    refused_ = std::move(now);
    if (!failure_told_) {
      failure_told_ = true;
      messenger_.Tell(
          {std::string(messages::kTitleNotice),
           common::FormatMessage(messages::kSettingsNotSaved, {program_.SettingsFile().string()}),
           common::Icon::kInformation});
    }
  }
  saving_ = false;
}

void SettingsKeeper::SaveChangesSoon() {
  if (save_pending_) return;
  save_pending_ = true;
  QTimer::singleShot(0, this, &SettingsKeeper::SaveChangesAfterAction);
}

void SettingsKeeper::SaveChangesAfterAction() {
  save_pending_ = false;
  if (!refused_ || WrittenForm(settings_) != *refused_) SaveChanges();
}

// Whichever comes first, the command or this, the write waits until the command is over.
void SettingsKeeper::WatchAction(QAction* action) {
  connect(action, &QAction::triggered, this, &SettingsKeeper::SaveChangesSoon,
          Qt::UniqueConnection);
}

bool SettingsKeeper::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ActionAdded) {
    WatchAction(static_cast<QActionEvent*>(event)->action());
  } else if (EndsAnAction(watched, *event)) {
    SaveChangesSoon();
  }
  return false;
}

}  // namespace app
