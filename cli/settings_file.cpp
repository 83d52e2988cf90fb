// Load, change and save of the settings file for the commands that keep a change.
#include "cli/settings_file.h"

#include <cerrno>

#include "cli/command_support.h"
#include "cli/messages.h"

namespace cli {

bool ChangeSettingsFile(const common::ProgramDir& program, common::Messenger& messenger,
                        const std::function<bool(common::Settings&)>& change) {
  common::SettingsLock lock(program.Dir());
  return ChangeSettingsFile(lock, program, messenger, change);
}

bool ChangeSettingsFile(const common::SettingsLock& lock, const common::ProgramDir& program,
                        common::Messenger& messenger,
                        const std::function<bool(common::Settings&)>& change) {
  common::SettingsChange outcome = common::ChangeSettings(lock, change);
  int error = errno;
  switch (outcome) {
    case common::SettingsChange::kSaved:
      return true;
    case common::SettingsChange::kDeclined:
      return false;
    case common::SettingsChange::kNotSaved:
      break;
  }
  jobs::TellCannotWrite(messenger, program.SettingsFile(), error);
  return false;
}

}  // namespace cli
