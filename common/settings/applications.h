// The external applications the user registers: ten slots of a name and a program, filled from
// the first without gaps, the launch entries the menus show for them, and the start of one on a
// window's file.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_starter.h"
#include "common/settings/settings.h"

namespace common {

// The registered applications: the slots before the first one whose name is empty.
int RegisteredApplications(const Settings& settings);
// A slot's name and program in UTF-8. The settings keep them in CP932 where it can hold them,
// as the file always has, and in UTF-8 otherwise.
std::string ApplicationName(const Settings& settings, int slot);
std::string ApplicationProgram(const Settings& settings, int slot);

// One launch entry of the menu "アプリケーション(&A)": shown with "◆ name" for a registered
// slot, hidden with "・・・・・" after it.
struct ApplicationEntry {
  bool shown = false;
  std::string caption;
};
std::array<ApplicationEntry, kApplicationSlots> ApplicationEntries(const Settings& settings);

enum class [[nodiscard]] RegisterStatus : int{
    kOk = 1,
    kNoName = -1,    // nothing to register; nothing is said
    kSameName = -2,  // a registered application has exactly this name; said
    kFull = -3,      // every slot is taken; said
};

// Whether `name` (UTF-8) may be registered, asked before the user picks the program.
RegisterStatus CheckNewApplication(const Settings& settings, std::string_view name,
                                   Messenger& messenger);
// Puts `name` and `program` (UTF-8) into the first free slot; false when there is none.
bool AddApplication(Settings& settings, std::string name, std::string program);

// After the user's confirmation, removes the registered applications whose index is ticked;
// the later ones move up. Says so when none was ticked. The number removed.
int RemoveTickedApplications(Settings& settings, const std::vector<bool>& ticked,
                             Messenger& messenger);
// After the user's confirmation, empties every slot; false when the user cancelled.
bool RemoveAllApplications(Settings& settings, Messenger& messenger);

// Says whether the program at `path` exists (or asks for a path when it is empty).
void TellProgramCheck(std::string_view path, Messenger& messenger);

enum class [[nodiscard]] ApplicationLaunch : int{
    kOk = 1,
    kNotRegistered = -1,  // the slot is empty; nothing is said
    kNotWritten = -2,     // the text could not be written, so the program was not started
    kNotStarted = -3,     // the program did not start; `refused` was said
};

// What a launch needs from the window it starts from.
struct LaunchTarget {
  std::filesystem::path file;  // the window's file; the program gets its full path
  // Writes the window's text to `file`; false after its own message.
  std::function<bool()> write_text;
  Message refused;  // said when the program does not start
};

// Writes the window's text first, so that the program never opens an older copy, then starts
// slot `slot`'s program with the file's full path as one argument of its own, blanks and shell
// characters included.
ApplicationLaunch LaunchApplication(const Settings& settings, int slot, const LaunchTarget& target,
                                    ProgramStarter& starter, Messenger& messenger);

}  // namespace common
