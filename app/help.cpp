// Opening the user guide.
#include "app/help.h"

#include "app/messages.h"
#include "common/file_system.h"
#include "common/message_format.h"

namespace app {

namespace {

constexpr std::string_view kHelpFolder = "help";
constexpr std::string_view kHelpFile = "index.html";

}  // namespace

std::filesystem::path HelpPage(const common::ProgramDir& program) {
  return program.Dir() / kHelpFolder / kHelpFile;
}

void OpenHelp(const common::ProgramDir& program, std::string& browser,
              rubywindow::ProgramStarter& starter, rubywindow::BrowserPicker& picker,
              common::Messenger& messenger) {
  std::filesystem::path page = HelpPage(program);
  if (!common::FileExists(page)) {
    std::string shown = (std::filesystem::path(kHelpFolder) / kHelpFile).string();
    messenger.Tell({std::string(messages::kTitleNotice),
                    common::FormatMessage(messages::kHelpMissing, {shown}),
                    common::Icon::kInformation});
    return;
  }
  // LaunchBrowser shows its own messages; the outcome needs nothing more here.
  (void)rubywindow::LaunchBrowser(page, browser, starter, picker, messenger);
}

}  // namespace app
