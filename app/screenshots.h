// Pictures of the windows for the documentation, taken by the program itself so that no
// screen-capture tool is needed: started with MIRUKAZE_SCREENSHOT_DIR set, it saves the main
// text window, runs the all-ruby command, saves the ruby window, the YMI dialog and the NNN
// window, and ends.
#pragma once

#include <filesystem>

namespace app {

class MainTextWindow;

inline constexpr char kScreenshotDirVariable[] = "MIRUKAZE_SCREENSHOT_DIR";

// Saves main_window.png and ruby_window.png in `folder` once the event loop runs, then ends the
// loop: with 0 when both were saved, else 1.
void ScheduleScreenshots(MainTextWindow& window, const std::filesystem::path& folder);

}  // namespace app
