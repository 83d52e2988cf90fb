// Chunks of whole lines, with the kept-back bytes of the previous chunk in front.
#include "engine/chunk_reader.h"

namespace engine {
namespace {

// A longer line is read in pieces of this size.
constexpr std::size_t kChunkBytes = 1 << 15;

}  // namespace

bool ChunkReader::Next() {
  if (kept_ == 0) {
    // The common case: the chunk is read in place, one line (or a piece of a long one).
    in_.ReadLine(chunk_, kChunkBytes);
  } else {
    chunk_.erase(0, chunk_.size() - kept_);
    kept_ = 0;
    if (in_.ReadLine(line_, kChunkBytes)) chunk_ += line_;
  }
  last_ = in_.Peek() == common::kEof;
  return !chunk_.empty();
}

}  // namespace engine
