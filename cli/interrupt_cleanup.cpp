// The interrupt watcher: a thread that waits for the signals with sigwait, so the folder is
// removed in ordinary code rather than in a signal handler.
#include "cli/interrupt_cleanup.h"

#include <pthread.h>
#include <unistd.h>

#include <csignal>
#include <mutex>
#include <system_error>
#include <thread>

namespace cli {
namespace {

namespace fs = std::filesystem;

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
// The run may still be writing working files while the folder goes.
constexpr int kRemovalTries = 3;

std::mutex folder_mutex;
fs::path folder_to_remove;  // guarded by folder_mutex

sigset_t Interrupts() {
  sigset_t set;
  sigemptyset(&set);
  for (int interrupt : kInterrupts) sigaddset(&set, interrupt);
  return set;
}

[[noreturn]] void WaitForInterrupt(sigset_t set) {
  int interrupt = 0;
  while (sigwait(&set, &interrupt) != 0) {
  }
  {
    std::lock_guard lock(folder_mutex);
    std::error_code error;
    for (int i = 0; i < kRemovalTries && !folder_to_remove.empty(); ++i) {
      fs::remove_all(folder_to_remove, error);
      if (!error) break;
    }
  }
  // Ends as the signal would have, so the caller sees which one it was.
  std::signal(interrupt, SIG_DFL);
  pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
  std::raise(interrupt);
  ::_exit(128 + interrupt);
}

}  // namespace

void StartInterruptCleanup() {
  static std::once_flag started;
  std::call_once(started, [] {
    sigset_t set = Interrupts();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    std::thread(WaitForInterrupt, set).detach();
  });
}

void RemoveOnInterrupt(const fs::path& folder) {
  std::lock_guard lock(folder_mutex);
  folder_to_remove = folder;
}

}  // namespace cli
