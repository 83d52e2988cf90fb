// The slots of the external applications and the start of one on a window's file.
#include "common/settings/applications.h"

#include <algorithm>

#include "common/encoding/cp932.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/messages.h"

namespace common {

namespace {

void Say(Messenger& messenger, std::string_view title, std::string text,
         Icon icon = Icon::kInformation) {
  messenger.Tell({std::string(title), std::move(text), icon});
}

bool ConfirmRemoval(Messenger& messenger, Icon icon) {
  return messenger.Ask({std::string(messages::kTitleConfirmRemoval),
                        std::string(messages::kConfirmRemoval), icon},
                       Buttons::kOkCancel) == Answer::kOk;
}

std::string Utf8Of(const std::string& stored) { return Cp932ToUtf8(stored).value_or(stored); }
std::string StoredOf(const std::string& utf8) { return Utf8ToCp932(utf8).value_or(utf8); }

// A program is handed an absolute path, whatever folder it starts in.
std::string FullPath(const std::filesystem::path& file) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(file, error);
  return error ? file.string() : full.string();
}

}  // namespace

int RegisteredApplications(const Settings& settings) {
  auto first_empty = std::find_if(settings.app_names.begin(), settings.app_names.end(),
                                  [](const std::string& name) { return name.empty(); });
  return static_cast<int>(first_empty - settings.app_names.begin());
}

std::string ApplicationName(const Settings& settings, int slot) {
  return Utf8Of(settings.app_names[slot]);
}

std::string ApplicationProgram(const Settings& settings, int slot) {
  return Utf8Of(settings.app_paths[slot]);
}

std::array<ApplicationEntry, kApplicationSlots> ApplicationEntries(const Settings& settings) {
  std::array<ApplicationEntry, kApplicationSlots> entries;
  int registered = RegisteredApplications(settings);
  for (int slot = 0; slot < kApplicationSlots; ++slot) {
    entries[slot] = slot < registered
                        ? ApplicationEntry{true, FormatMessage(messages::kApplicationCaption,
                                                               {ApplicationName(settings, slot)})}
                        : ApplicationEntry{false, std::string(messages::kNoApplicationCaption)};
  }
  return entries;
}

RegisterStatus CheckNewApplication(const Settings& settings, std::string_view name,
                                   Messenger& messenger) {
  if (name.empty()) return RegisterStatus::kNoName;
  int registered = RegisteredApplications(settings);
  // Exact comparison: a name differing only in letter case is another name.
  if (std::find(settings.app_names.begin(), settings.app_names.begin() + registered,
                StoredOf(std::string(name))) != settings.app_names.begin() + registered) {
    Say(messenger, messages::kTitleSameName, std::string(messages::kSameApplicationName));
    return RegisterStatus::kSameName;
  }
  if (registered == kApplicationSlots) {
    Say(messenger, messages::kTitleSameName,
        FormatMessage(messages::kApplicationsFull, {std::int64_t{kApplicationSlots}}),
        Icon::kWarning);
    return RegisterStatus::kFull;
  }
  return RegisterStatus::kOk;
}

bool AddApplication(Settings& settings, std::string name, std::string program) {
  int slot = RegisteredApplications(settings);
  if (slot == kApplicationSlots) return false;
  settings.app_names[slot] = StoredOf(name);
  settings.app_paths[slot] = StoredOf(program);
  return true;
}

// Built anew from the entries kept, so that removing one never shifts another ticked entry out
// of the way of the walk.
int RemoveTickedApplications(Settings& settings, const std::vector<bool>& ticked,
                             Messenger& messenger) {
  if (!ConfirmRemoval(messenger, Icon::kNone)) return 0;
  int registered = RegisteredApplications(settings);
  std::array<std::string, kApplicationSlots> names;
  std::array<std::string, kApplicationSlots> programs;
  int kept = 0;
  for (int slot = 0; slot < registered; ++slot) {
    if (static_cast<std::size_t>(slot) < ticked.size() && ticked[slot]) continue;
    names[kept] = std::move(settings.app_names[slot]);
    programs[kept] = std::move(settings.app_paths[slot]);
    ++kept;
  }
  // Slots after the first empty one are not registered, but they are kept as they were.
  for (int slot = registered; slot < kApplicationSlots; ++slot) {
    names[slot] = std::move(settings.app_names[slot]);
    programs[slot] = std::move(settings.app_paths[slot]);
  }
  settings.app_names = std::move(names);
  settings.app_paths = std::move(programs);
  int removed = registered - kept;
  if (removed == 0) Say(messenger, messages::kTitleReport, std::string(messages::kNothingTicked));
  return removed;
}

bool RemoveAllApplications(Settings& settings, Messenger& messenger) {
  if (!ConfirmRemoval(messenger, Icon::kQuestion)) return false;
  settings.app_names.fill({});
  settings.app_paths.fill({});
  return true;
}

void TellProgramCheck(std::string_view path, Messenger& messenger) {
  if (path.empty()) {
    Say(messenger, messages::kTitleRequest, std::string(messages::kNoPathShown), Icon::kWarning);
  } else {
    Say(messenger, messages::kTitleReport,
        std::string(FileExists(std::filesystem::path(path)) ? messages::kProgramExists
                                                            : messages::kProgramMissing));
  }
}

ApplicationLaunch LaunchApplication(const Settings& settings, int slot, const LaunchTarget& target,
                                    ProgramStarter& starter, Messenger& messenger) {
  if (slot < 0 || slot >= RegisteredApplications(settings)) {
    return ApplicationLaunch::kNotRegistered;
  }
  if (!target.write_text()) {
    Say(messenger, messages::kTitleNotLaunched,
        FormatMessage(messages::kNotLaunchedUnwritten, {target.file.string()}), Icon::kWarning);
    return ApplicationLaunch::kNotWritten;
  }
  if (!starter.Start(ApplicationProgram(settings, slot), {FullPath(target.file)})) {
    messenger.Tell(target.refused);
    return ApplicationLaunch::kNotStarted;
  }
  return ApplicationLaunch::kOk;
}

}  // namespace common
