// The settings file follows the settings record while the program runs, so that a crash, a kill
// or a lost session never takes back a setting the user chose.
#pragma once

#include <QObject>
#include <optional>
#include <string>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"

class QAction;
class QEvent;

namespace app {

// The one writer of the running program's settings file. Settings are chosen in many places
// (every dialog, the speech settings window, the dictionary indicator, a menu's toggle, a
// dictionary build that records its size), which change the record they are handed and know
// nothing of the file; the keeper writes the record whenever it has changed by the time a user
// action is over: a command (an action) has run, a dialog, window or menu has closed, a key or a
// click has been handled, a file has been dropped. Code that changes a setting outside such an
// action calls SaveChanges itself. The write is common::SaveSettings, a replacement in one step.
// Nothing is written while the record stays as the file holds it.
class SettingsKeeper : public QObject {
  Q_OBJECT

 public:
  // `settings` holds what was read from `program`'s settings file; every reference outlives the
  // keeper, which watches the whole application from construction on (and the actions that
  // `parent` holds already, when it is a widget).
  SettingsKeeper(const common::ProgramDir& program, common::Settings& settings,
                 common::Messenger& messenger, QObject* parent = nullptr);
  ~SettingsKeeper() override;

  // Writes the record when what it would write differs from what was last written (or read at
  // start). A failure is told once, and again only after a write has succeeded.
  void SaveChanges();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // After the event at hand has been handled, with whatever follows a dialog's end: the end of
  // an action. A record whose write failed is not tried again at every key, only once it has
  // changed (or when SaveChanges is called).
  void SaveChangesSoon();
  void SaveChangesAfterAction();
  void WatchAction(QAction* action);

  const common::ProgramDir& program_;
  common::Settings& settings_;
  common::Messenger& messenger_;
  // The settings as a write puts them (common::PutSettings), last written and last refused.
  std::string written_;
  std::optional<std::string> refused_;
  bool failure_told_ = false;
  bool save_pending_ = false;
  bool saving_ = false;
};

}  // namespace app
