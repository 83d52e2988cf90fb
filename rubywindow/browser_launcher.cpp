// The browser is started as a detached process on the page's path, given as one argument.
#include "rubywindow/browser_launcher.h"

#include "rubywindow/messages.h"

namespace rubywindow {

namespace {

// A browser may take a relative path for an address, so it is given the full path.
std::string PageArgument(const std::filesystem::path& page) {
  std::error_code error;
  std::filesystem::path full = std::filesystem::absolute(page, error);
  return error ? page.string() : full.string();
}

using Started = std::function<void(bool started)>;

// The browser, or the desktop opener when the browser is not set or does not start.
void TryBrowser(const std::string& browser, const std::vector<std::string>& arguments,
                common::ProgramStarter& starter, Started then) {
  auto opener = [browser, arguments, &starter, then](bool started) {
    if (started || browser == kDesktopOpener) return then(started);
    starter.StartThen(std::string(kDesktopOpener), arguments, then);
  };
  if (browser.empty()) return opener(false);
  starter.StartThen(browser, arguments, opener);
}

}  // namespace

void LaunchBrowserThen(const std::filesystem::path& page, const std::string& browser,
                       common::ProgramStarter& starter, BrowserPicker& picker,
                       common::Messenger& messenger,
                       std::function<void(LaunchStatus, const std::string& browser)> done) {
  std::vector<std::string> arguments = {PageArgument(page)};
  TryBrowser(browser, arguments, starter, [=, &starter, &picker, &messenger](bool started) {
    if (started) return done(LaunchStatus::kOk, browser);
    messenger.Tell(
        {std::string(messages::kTitleCaution), std::string(messages::kBrowserNotStarted)});
    std::optional<std::string> picked = picker.PickBrowser();
    if (!picked) return done(LaunchStatus::kCancelled, browser);
    starter.StartThen(*picked, arguments, [=, &messenger](bool started_picked) {
      if (!started_picked) {
        messenger.Tell(
            {std::string(messages::kTitleCaution), std::string(messages::kBrowserStillNotStarted)});
      }
      done(started_picked ? LaunchStatus::kOk : LaunchStatus::kFailed, *picked);
    });
  });
}

LaunchStatus LaunchBrowser(const std::filesystem::path& page, std::string& browser,
                           common::ProgramStarter& starter, BrowserPicker& picker,
                           common::Messenger& messenger) {
  LaunchStatus status = LaunchStatus::kFailed;
  LaunchBrowserThen(page, browser, starter, picker, messenger,
                    [&](LaunchStatus outcome, const std::string& kept) {
                      status = outcome;
                      browser = kept;
                    });
  return status;
}

}  // namespace rubywindow
