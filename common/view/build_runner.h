// One dictionary build at a time on a thread of its own, shared by every window that builds:
// the windows stay responsive meanwhile, and two builds never share the working files or write
// one dictionary at once.
#pragma once

#include <functional>

#include "common/messenger.h"

namespace common::view {

class BuildRunner {
 public:
  virtual ~BuildRunner() = default;

  virtual bool Running() const = 0;
  // Runs `job` on the build thread with a messenger that reaches the user from the thread that
  // called Start; `done` runs on that thread once the job has ended. False, and nothing
  // started, while another build runs.
  virtual bool Start(std::function<void(Messenger&)> job, std::function<void()> done) = 0;
};

}  // namespace common::view
