// A run stopped by SIGINT, SIGTERM, SIGHUP or SIGPIPE removes its working folder before it ends,
// so an interrupted run leaves no working files behind.
#pragma once

#include <filesystem>

namespace cli {

// Blocks those signals in the calling thread, and so in every thread it starts later, and
// waits for them on a thread of its own, which removes the folder and then ends the process as
// the signal would have. A write to a closed pipe then fails like any other write (the run ends
// through its own failure path) instead of killing the process. To be called before any other
// thread starts; later calls do nothing.
void StartInterruptCleanup();

// The folder an interrupt removes, with all it holds; an empty path: none.
void RemoveOnInterrupt(const std::filesystem::path& folder);

}  // namespace cli
