#include "common/platform/background_task.h"

#include <system_error>
#include <utility>

namespace common {

BackgroundTask::~BackgroundTask() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BackgroundTask::Start(std::function<void()> job) {
  if (StartAside(job)) return;
  try {
    job();
  } catch (...) {
    failure_ = std::current_exception();
  }
}

bool BackgroundTask::StartAside(std::function<void()> job) {
  if (!HasThread()) return false;
  {
    std::lock_guard lock(mutex_);
    job_ = std::move(job);
    busy_ = true;
  }
  changed_.notify_all();
  return true;
}

bool BackgroundTask::HasThread() {
  if (thread_.joinable()) return true;
  try {
    thread_ = std::thread([this] { Serve(); });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void BackgroundTask::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

bool BackgroundTask::Busy() {
  std::lock_guard lock(mutex_);
  return busy_;
}

void BackgroundTask::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (!busy_) return;
    std::function<void()> job = std::move(job_);
    lock.unlock();
    std::exception_ptr failure;
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    failure_ = failure;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace common
