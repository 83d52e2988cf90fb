// The user guide: an HTML page beside the program, shown in the web browser.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "common/messenger.h"
#include "common/platform/program_dir.h"
#include "rubywindow/browser_launcher.h"

namespace app {

// help/index.html under the program folder; when the program folder has none (a folder of the
// user's own given with --home), the guide shipped beside the executable, in `shipped_dir`.
std::filesystem::path HelpPage(const common::ProgramDir& program,
                               const std::filesystem::path& shipped_dir = {});

// The guide's page when it is there; a missing page is reported.
std::optional<std::filesystem::path> HelpPageToShow(const common::ProgramDir& program,
                                                    common::Messenger& messenger,
                                                    const std::filesystem::path& shipped_dir = {});

// Shows the guide in `browser` (the WWWBROWSER setting in UTF-8; a browser the user picks when it
// cannot be started takes its place). A missing page is reported and nothing is started.
void OpenHelp(const common::ProgramDir& program, std::string& browser,
              common::ProgramStarter& starter, rubywindow::BrowserPicker& picker,
              common::Messenger& messenger, const std::filesystem::path& shipped_dir = {});

}  // namespace app
