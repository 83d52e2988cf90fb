// Load, change and save of the settings file for the commands that keep a change.
#include "cli/settings_file.h"

#include "cli/command_support.h"
#include "cli/messages.h"

namespace cli {

bool ChangeSettingsFile(const common::ProgramDir& program, common::Messenger& messenger,
                        const std::function<bool(common::Settings&)>& change) {
  common::Settings settings = common::LoadSettings(program.Dir());
  if (!change(settings)) return false;
  if (common::SaveSettings(program.Dir(), settings)) return true;
  TellFailure(messenger, messages::kCannotWriteFile, {PathText(program.SettingsFile())});
  return false;
}

}  // namespace cli
