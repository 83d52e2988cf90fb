// Blocks of the input, with the kept-back bytes of the previous chunk in front.
#include "engine/sweep/chunk_reader.h"

namespace engine {
namespace {

// The input is read in blocks of this size, whatever lines they hold.
constexpr std::size_t kChunkBytes = 1 << 18;

}  // namespace

bool ChunkReader::Next() {
  chunk_.erase(0, chunk_.size() - kept_);
  kept_ = 0;
  in_.ReadBlock(chunk_, kChunkBytes);
  last_ = in_.AtEnd();
  return !chunk_.empty();
}

}  // namespace engine
