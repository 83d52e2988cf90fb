// Starting another program (the browser, a registered application) as a process of its own.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace common {

// Starts a program without waiting for it; the arguments go to it as they are, never through a
// shell, so a path with blanks stays one argument.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // false when the program could not be started (not found, not executable, or ended with a
  // failure at once).
  virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Starts `program` and tells `started` whether it started. Here that is told at once; a
  // starter that watches the program longer tells it later, on the caller's thread, and leaves
  // the caller's window working meanwhile.
  virtual void StartThen(const std::string& program, const std::vector<std::string>& arguments,
                         std::function<void(bool started)> started) {
    started(Start(program, arguments));
  }
};

// A start whose watch goes on in a watcher process of its own: `report` becomes readable (a
// failure, or its end of file) when the watch is over.
struct PendingStart {
  int report = -1;
  pid_t watcher = -1;
};

// Starts `program` from a watcher process, which watches it for up to `watch` for an end with a
// failure: a launcher such as xdg-open ends with the status of the browser it hands the page to,
// which may fail seconds after the start. A program that ends well, or still runs after the
// watch, has started. nullopt when no process could be made.
std::optional<PendingStart> BeginStart(const std::string& program,
                                       const std::vector<std::string>& arguments,
                                       std::chrono::milliseconds watch);
// Waits for the end of the watch (at once when `report` is readable), reaps the watcher and
// tells whether the program started.
bool FinishStart(const PendingStart& pending);

// Starts programs as processes of their own, detached from ours. A start waits up to a second
// for a program that fails at once.
class ProcessStarter final : public ProgramStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
};

}  // namespace common
