#include "engine/sweep/block_queue.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace engine {
namespace {

TEST(BlockQueue, BlocksArriveWholeAndInOrderAcrossThreads) {
  BlockQueue queue(2);
  std::string expected;
  for (int i = 0; i < 1000; ++i) expected += std::to_string(i) + ",";
  std::thread maker([&queue] {
    QueueSink sink(queue);
    for (int i = 0; i < 1000; ++i) sink.Write(std::to_string(i) + ",");
    sink.Write("");
    queue.Close();
  });
  QueueSource source(queue);
  std::string got;
  std::string block;
  // Small reads and whole blocks alike.
  while (source.ReadBlock(block, got.size() % 3 + 1)) {
    got += block;
    block.clear();
  }
  maker.join();
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(source.AtEnd());
}

TEST(BlockQueue, AMakerWaitingForRoomIsReleasedWhenTheTakerStops) {
  BlockQueue queue(1);
  std::thread maker([&queue] {
    for (int i = 0; i < 100; ++i) queue.Push("block");
  });
  std::string block;
  ASSERT_TRUE(queue.Pop(block));
  queue.Abandon();
  maker.join();
  queue.Close();
  EXPECT_FALSE(queue.Pop(block));
}

}  // namespace
}  // namespace engine
