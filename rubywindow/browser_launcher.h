// Starting the web browser on a page, with the recovery the user is offered when it fails.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/messenger.h"
#include "common/platform/program_starter.h"

namespace rubywindow {

// The open dialog in which the user picks the browser program; nullopt when cancelled.
class BrowserPicker {
 public:
  virtual ~BrowserPicker() = default;
  virtual std::optional<std::string> PickBrowser() = 0;
};

// The desktop's own opener, tried when the chosen browser cannot be started.
inline constexpr std::string_view kDesktopOpener = "xdg-open";

enum class [[nodiscard]] LaunchStatus : int{
    kOk = 1,
    kCancelled = -1,  // the browser did not start and the user picked none
    kFailed = -2,     // the picked browser did not start either
};

// Starts `browser` (the WWWBROWSER setting) on `page`, then the desktop opener, each judged by
// `starter`, which may tell later whether it started. When neither starts, says so and lets the
// user pick a browser, which is tried once more. `done` gets the outcome and the browser to keep
// (the picked one, or `browser`). The starter, picker and messenger outlive the launch.
void LaunchBrowserThen(const std::filesystem::path& page, const std::string& browser,
                       common::ProgramStarter& starter, BrowserPicker& picker,
                       common::Messenger& messenger,
                       std::function<void(LaunchStatus, const std::string& browser)> done);

// The launch with a starter that tells at once; a picked browser becomes `browser`.
LaunchStatus LaunchBrowser(const std::filesystem::path& page, std::string& browser,
                           common::ProgramStarter& starter, BrowserPicker& picker,
                           common::Messenger& messenger);

}  // namespace rubywindow
