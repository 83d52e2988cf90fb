#include "engine/sweep/block_queue.h"

#include <algorithm>
#include <utility>

namespace engine {

void BlockQueue::Push(std::string&& block) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return abandoned_ || blocks_.size() < capacity_; });
  if (abandoned_) return;
  blocks_.push_back(std::move(block));
  changed_.notify_all();
}

bool BlockQueue::Pop(std::string& block) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return closed_ || !blocks_.empty(); });
  if (blocks_.empty()) return false;
  block = std::move(blocks_.front());
  blocks_.pop_front();
  changed_.notify_all();
  return true;
}

void BlockQueue::Close() {
  std::lock_guard lock(mutex_);
  closed_ = true;
  changed_.notify_all();
}

void BlockQueue::Abandon() {
  std::lock_guard lock(mutex_);
  abandoned_ = true;
  blocks_.clear();
  changed_.notify_all();
}

bool QueueSource::Fill() {
  while (read_ == block_.size()) {
    block_.clear();
    read_ = 0;
    if (!queue_.Pop(block_)) return false;
  }
  return true;
}

bool QueueSource::ReadBlock(std::string& out, std::size_t max_bytes) {
  if (!Fill()) return false;
  if (out.empty() && read_ == 0) {
    out.swap(block_);  // the whole block, handed on without a copy
    block_.clear();
    return true;
  }
  std::size_t n = std::min(max_bytes, block_.size() - read_);
  out.append(block_, read_, n);
  read_ += n;
  return true;
}

}  // namespace engine
