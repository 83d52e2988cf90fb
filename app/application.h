// The desktop program from start to end: one copy per user, the program folder, the settings
// loaded once and saved once, the main text window and the message loop.
#pragma once

namespace app {

// Exit codes: 0 after a normal end, 1 when another copy runs or the start failed (after a
// message), 2 for a wrong command line.
int RunApplication(int argc, char** argv);

}  // namespace app
