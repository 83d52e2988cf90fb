// Opening the user guide.
#include "app/help.h"

#include "app/messages.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"

namespace app {

namespace {

constexpr std::string_view kHelpFolder = "help";
constexpr std::string_view kHelpFile = "index.html";

}  // namespace

std::filesystem::path HelpPage(const common::ProgramDir& program,
                               const std::filesystem::path& shipped_dir) {
  std::filesystem::path own = program.Dir() / kHelpFolder / kHelpFile;
  if (common::FileExists(own) || shipped_dir.empty()) return own;
  std::filesystem::path shipped = shipped_dir / kHelpFolder / kHelpFile;
  return common::FileExists(shipped) ? shipped : own;
}

std::optional<std::filesystem::path> HelpPageToShow(const common::ProgramDir& program,
                                                    common::Messenger& messenger,
                                                    const std::filesystem::path& shipped_dir) {
  std::filesystem::path page = HelpPage(program, shipped_dir);
  if (common::FileExists(page)) return page;
  std::string shown = (std::filesystem::path(kHelpFolder) / kHelpFile).string();
  messenger.Tell({std::string(messages::kTitleNotice),
                  common::FormatMessage(messages::kHelpMissing, {shown}),
                  common::Icon::kInformation});
  return std::nullopt;
}

void OpenHelp(const common::ProgramDir& program, std::string& browser,
              common::ProgramStarter& starter, rubywindow::BrowserPicker& picker,
              common::Messenger& messenger, const std::filesystem::path& shipped_dir) {
  std::optional<std::filesystem::path> page = HelpPageToShow(program, messenger, shipped_dir);
  // LaunchBrowser shows its own messages; the outcome needs nothing more here.
  if (page) (void)rubywindow::LaunchBrowser(*page, browser, starter, picker, messenger);
}

}  // namespace app
