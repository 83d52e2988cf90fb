// One job at a time on a thread of its own, for work that the calling thread shares: it starts
// a job, does its own part meanwhile and waits for the job before it uses what the job made.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace common {

class BackgroundTask {
 public:
  BackgroundTask() = default;
  BackgroundTask(const BackgroundTask&) = delete;
  BackgroundTask& operator=(const BackgroundTask&) = delete;
  ~BackgroundTask();

  // Runs `job` on the task's thread, started with the first job. When no thread can be started
  // the job runs here and now, so the work is done either way.
  void Start(std::function<void()> job);
  // The same for a job that must not run here, because it waits for what this thread is yet to
  // do: false, with the job not run, when no thread can be started.
  [[nodiscard]] bool StartAside(std::function<void()> job);
  // Returns once the job started last is done, throwing what it threw.
  void Wait();
  // The job started last is not done yet.
  bool Busy();

 private:
  void Serve();
  bool HasThread();  // starts the thread if it has not started yet

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> job_;
  std::exception_ptr failure_;
  bool busy_ = false;
  bool stopping_ = false;
};

}  // namespace common
