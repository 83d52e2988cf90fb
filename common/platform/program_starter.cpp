// Programs are started through fork and exec, with a watch for a failure right after the start.
#include "common/platform/program_starter.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace common {

namespace {

constexpr int kExecFailed = 127;
constexpr int kEndedWithFailure = -1;  // reported through the pipe like an errno
// A program that ends with a failure this soon after its start did not start for the user:
// xdg-open that finds nothing to open the page with, a browser that cannot reach the display.
constexpr std::chrono::milliseconds kQuickWatch{1'000};
constexpr long kWatchStepNanoseconds = 20'000'000;

// Runs in the grandchild: only async-signal-safe calls between fork and exec.
[[noreturn]] void ExecOrReport(char* const* argv, int report_fd) {
  ::execvp(argv[0], argv);
  int error = errno;
  ssize_t ignored = ::write(report_fd, &error, sizeof error);  // the parent reads it or EOF
  (void)ignored;
  ::_exit(kExecFailed);
}

// Runs in the middle process: only async-signal-safe calls. Waits a moment for the started
// program; kEndedWithFailure when it ended unsuccessfully in that time, else 0.
int WatchStart(pid_t program, std::chrono::milliseconds watch) {
  const timespec step{0, kWatchStepNanoseconds};
  const long long watch_nanoseconds = std::chrono::nanoseconds(watch).count();
  for (long long waited = 0; waited < watch_nanoseconds; waited += kWatchStepNanoseconds) {
    int status = 0;
    pid_t ended = ::waitpid(program, &status, WNOHANG);
    if (ended == program) {
      return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : kEndedWithFailure;
    }
    if (ended < 0 && errno != EINTR) return 0;
    ::nanosleep(&step, nullptr);
  }
  return 0;  // still running: it has started
}

}  // namespace

bool ProcessStarter::Start(const std::string& program, const std::vector<std::string>& arguments) {
  std::optional<PendingStart> pending = BeginStart(program, arguments, kQuickWatch);
  return pending && FinishStart(*pending);
}

std::optional<PendingStart> BeginStart(const std::string& program,
                                       const std::vector<std::string>& arguments,
                                       std::chrono::milliseconds watch) {
  std::vector<std::string> words = {program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  // The exec result comes back through a close-on-exec pipe: EOF means the program runs. The
  // watcher watches the program for a failure after its start, then ends, so that the browser
  // is nobody's child and never left a zombie.
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return std::nullopt;
  pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe_fds[0]);
    pid_t grandchild = ::fork();
    if (grandchild == 0) {
      ::setsid();
      ExecOrReport(argv.data(), pipe_fds[1]);
    }
    int failure = grandchild < 0 ? errno : WatchStart(grandchild, watch);
    if (failure != 0) {
      ssize_t ignored = ::write(pipe_fds[1], &failure, sizeof failure);
      (void)ignored;
    }
    ::_exit(0);
  }
  ::close(pipe_fds[1]);
  if (child < 0) {
    ::close(pipe_fds[0]);
    return std::nullopt;
  }
  return PendingStart{pipe_fds[0], child};
}

// The watcher ends right after its report (a failed exec may be reported twice), so it is
// reaped before the pipe is closed: a report written into a closed pipe would kill it.
bool FinishStart(const PendingStart& pending) {
  int status = 0;
  while (::waitpid(pending.watcher, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  do {
    got = ::read(pending.report, &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  ::close(pending.report);
  return got == 0;
}

}  // namespace common
