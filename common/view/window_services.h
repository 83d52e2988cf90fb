// What the application hands every text window, and what the windows hand the commands they
// carry. A window owns none of it; all of it outlives the windows.
#pragma once

#include <filesystem>
#include <functional>

namespace common {
struct Settings;
class ProgramDir;
class Messenger;
class ProgramStarter;
class RecoveryStore;
}  // namespace common

namespace speech::qt {
class SpeechControls;
}  // namespace speech::qt

namespace common::view {

class Choosers;
struct SearchMemory;

struct WindowServices {
  Settings* settings = nullptr;  // the application's one settings record
  const ProgramDir* program = nullptr;
  Messenger* messenger = nullptr;
  Choosers* choosers = nullptr;                  // file, font and colour choices
  SearchMemory* search = nullptr;                // the search strings every text window shares
  ProgramStarter* starter = nullptr;             // the registered applications and the browser
  speech::qt::SpeechControls* speech = nullptr;  // none: the speech commands are disabled
  const RecoveryStore* recovery = nullptr;       // none: no copy of unsaved text is kept
  // The application's folder for working files; empty: a window that needs one makes its own.
  std::filesystem::path work_dir{};
  // Opens the user guide, as F1 in the main text window does; none: the help buttons of the
  // windows' dialogs are left out.
  std::function<void()> open_help{};
};

}  // namespace common::view
