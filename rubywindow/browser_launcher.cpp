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

bool TryBrowser(const std::string& browser, const std::filesystem::path& page,
                common::ProgramStarter& starter) {
  std::vector<std::string> arguments = {PageArgument(page)};
  if (!browser.empty() && starter.Start(browser, arguments)) return true;
  return browser != kDesktopOpener && starter.Start(std::string(kDesktopOpener), arguments);
}

}  // namespace

LaunchStatus LaunchBrowser(const std::filesystem::path& page, std::string& browser,
                           common::ProgramStarter& starter, BrowserPicker& picker,
                           common::Messenger& messenger) {
  if (TryBrowser(browser, page, starter)) return LaunchStatus::kOk;
  messenger.Tell({std::string(messages::kTitleCaution), std::string(messages::kBrowserNotStarted)});
  std::optional<std::string> picked = picker.PickBrowser();
  if (!picked) return LaunchStatus::kCancelled;
  browser = *picked;
  if (starter.Start(browser, {PageArgument(page)})) return LaunchStatus::kOk;
  messenger.Tell(
      {std::string(messages::kTitleCaution), std::string(messages::kBrowserStillNotStarted)});
  return LaunchStatus::kFailed;
}

}  // namespace rubywindow
