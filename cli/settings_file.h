// Commands that change the settings file itself: the file is loaded afresh (the --set
// overrides of the run stay out of it), changed, and saved in one step, while the program
// folder's settings lock is held, so that runs at once never lose each other's changes.
#pragma once

#include <functional>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "common/settings/settings.h"

namespace cli {

// Loads HOME/qelvoVR11.ini, lets `change` alter the record and, when it returns true, saves
// it. Every key the change leaves alone keeps the file's value. False when the change declined
// or the file could not be written (after a message).
[[nodiscard]] bool ChangeSettingsFile(const common::ProgramDir& program,
                                      common::Messenger& messenger,
                                      const std::function<bool(common::Settings&)>& change);

// The same under a lock the command already holds (it made what the setting records).
[[nodiscard]] bool ChangeSettingsFile(const common::SettingsLock& lock,
                                      const common::ProgramDir& program,
                                      common::Messenger& messenger,
                                      const std::function<bool(common::Settings&)>& change);

}  // namespace cli
