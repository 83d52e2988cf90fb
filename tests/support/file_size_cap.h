// Disk-full failures on demand, for tests of what a step leaves behind when a write fails.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace testing_support {

// Makes every write past `bytes` in a file fail the way a full disk does, for as long as it
// lives; unlike folder permissions, this binds the superuser too.
class FileSizeCap {
 public:
  explicit FileSizeCap(rlim_t bytes) : old_handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old_limit_);
    rlimit limit = old_limit_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeCap() {
    ::setrlimit(RLIMIT_FSIZE, &old_limit_);
    std::signal(SIGXFSZ, old_handler_);
  }
  FileSizeCap(const FileSizeCap&) = delete;
  FileSizeCap& operator=(const FileSizeCap&) = delete;

 private:
  void (*old_handler_)(int);
  rlimit old_limit_{};
};

}  // namespace testing_support
