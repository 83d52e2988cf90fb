#include "common/platform/background_task.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

namespace common {
namespace {

TEST(BackgroundTask, EachJobIsDoneBeforeWaitReturns) {
  BackgroundTask task;
  std::vector<int> done;
  for (int i = 0; i < 100; ++i) {
    task.Start([&done, i] { done.push_back(i); });
    task.Wait();
    ASSERT_EQ(done.size(), static_cast<std::size_t>(i + 1));
  }
}

TEST(BackgroundTask, AJobStartedAsideRunsOnAnotherThread) {
  BackgroundTask task;
  std::thread::id ran_on;
  ASSERT_TRUE(task.StartAside([&ran_on] { ran_on = std::this_thread::get_id(); }));
  task.Wait();
  EXPECT_NE(ran_on, std::this_thread::get_id());
}

TEST(BackgroundTask, WhatAJobThrowsReachesTheWaiterOnce) {
  BackgroundTask task;
  task.Start([] { throw std::runtime_error("full"); });
  EXPECT_THROW(task.Wait(), std::runtime_error);
  task.Start([] {});
  EXPECT_NO_THROW(task.Wait());
}

TEST(BackgroundTask, AJobLeftRunningIsFinishedBeforeTheTaskEnds) {
  bool done = false;
  {
    BackgroundTask task;
    task.Start([&done] { done = true; });
  }
  EXPECT_TRUE(done);
}

}  // namespace
}  // namespace common
