// Blocks of bytes handed from one thread to another, a few at a time: the step that makes them
// waits while the queue is full, the step that takes them while it is empty.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>

#include "engine/byte_stream.h"

namespace engine {

class BlockQueue {
 public:
  explicit BlockQueue(std::size_t capacity) : capacity_(capacity) {}

  // Waits for room, then adds the block; a block nobody takes any more is dropped.
  void Push(std::string&& block);
  // Waits for the next block; false once the maker has closed the queue and none is left.
  bool Pop(std::string& block);
  // The maker has no more blocks.
  void Close();
  // The taker takes no more: blocks pushed from now on are dropped, and no push waits.
  void Abandon();

 private:
  const std::size_t capacity_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::string> blocks_;
  bool closed_ = false;
  bool abandoned_ = false;
};

// The maker's end: what is written goes into the queue.
class QueueSink final : public ByteSink {
 public:
  explicit QueueSink(BlockQueue& queue) : queue_(queue) {}
  void Write(std::string_view bytes) override {
    if (!bytes.empty()) queue_.Push(std::string(bytes));
  }

 private:
  BlockQueue& queue_;
};

// The taker's end: what is read comes from the queue, a whole block at a time when it can.
class QueueSource final : public ByteSource {
 public:
  explicit QueueSource(BlockQueue& queue) : queue_(queue) {}
  bool ReadBlock(std::string& out, std::size_t max_bytes) override;
  bool AtEnd() override { return !Fill(); }

 private:
  bool Fill();  // false when the queue holds no more

  BlockQueue& queue_;
  std::string block_;
  std::size_t read_ = 0;  // bytes of the block handed on already
};

}  // namespace engine
