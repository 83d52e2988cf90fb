// What the ruby window is handed by the application that opens it. It owns none of it.
#pragma once

#include <filesystem>
#include <string>

namespace common {
struct Settings;
class ProgramDir;
class Messenger;
class ProgramStarter;
class RecoveryStore;
namespace view {
class Choosers;
struct SearchMemory;
}  // namespace view
}  // namespace common

namespace speech::qt {
class SpeechControls;
}  // namespace speech::qt

namespace rubywindow {
namespace view {
struct RubyWindowSession;

struct RubyWindowContext {
  common::Settings* settings = nullptr;  // the application's one settings record
  const common::ProgramDir* program = nullptr;
  common::Messenger* messenger = nullptr;
  common::view::Choosers* choosers = nullptr;    // file, font and colour choices
  common::view::SearchMemory* search = nullptr;  // shared by every editing window
  common::ProgramStarter* starter = nullptr;     // starts the browser
  // Kept by the application from one ruby window to the next; a window handed none keeps its
  // own for its lifetime.
  RubyWindowSession* session = nullptr;
  // The field separator of line-and-field ruby as typed (Shift_JIS, "\t" for the tab); the YMI
  // dialog starts from it. Empty: the YMI dialog's own.
  std::string line_field_separator{};
  speech::qt::SpeechControls* speech = nullptr;     // none: the speech commands are disabled
  const common::RecoveryStore* recovery = nullptr;  // none: no copy of unsaved text is kept
  // The application's folder for working files; none: the window makes one of its own.
  std::filesystem::path work_dir{};
};

}  // namespace view
}  // namespace rubywindow
