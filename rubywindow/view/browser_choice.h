// The browser program of the settings record, and the open dialog in which the user picks one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "rubywindow/browser_launcher.h"

class QWidget;

namespace common {
struct Settings;
namespace view {
class Choosers;
}
}  // namespace common

namespace rubywindow::view {

// The WWWBROWSER setting as the system names the program (UTF-8); the settings file holds it in
// Shift_JIS like every other text.
std::string BrowserProgram(const common::Settings& settings);
void SetBrowserProgram(common::Settings& settings, const std::string& program_utf8);

// The open dialog "ブラウザ ファイルを指定", proposing `current`: a bare program name
// ("xdg-open") is proposed by its full path when it is on the search path. The program picked,
// as the system names it, or nullopt when cancelled.
std::optional<std::string> AskBrowserProgram(common::view::Choosers& choosers, QWidget* parent,
                                             const std::string& current_utf8);

// Shows `page` in the stored browser program through `starter`, which may watch the start for
// seconds: the window stays in use meanwhile. A browser that does not start is reported, the
// open dialog offered over `parent`, and a browser picked there stored in place of the stored
// one, so the next display does not fail the same way. Once `parent` is gone, nothing more
// happens. The settings, choosers, starter and messenger outlive `parent`.
void ShowInBrowser(const std::filesystem::path& page, common::Settings& settings,
                   common::view::Choosers& choosers, common::ProgramStarter& starter,
                   common::Messenger& messenger, QWidget* parent);

// The picker LaunchBrowser offers when the browser cannot be started.
class DialogBrowserPicker final : public BrowserPicker {
 public:
  DialogBrowserPicker(common::view::Choosers& choosers, QWidget* parent, std::string current_utf8)
      : choosers_(choosers), parent_(parent), current_(std::move(current_utf8)) {}
  std::optional<std::string> PickBrowser() override;

 private:
  common::view::Choosers& choosers_;
  QWidget* parent_;
  std::string current_;
};

}  // namespace rubywindow::view
