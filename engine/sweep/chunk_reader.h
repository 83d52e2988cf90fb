// Reads the input block by block for the passes that scan their input with an offset
// instead of byte by byte. A pass that stops inside something it cannot decide yet (a
// word, a character cut at the end of a chunk) keeps those bytes back for the next chunk.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/byte_stream.h"

namespace engine {

class ChunkReader {
 public:
  explicit ChunkReader(ByteSource& in) : in_(in) {}

  // The bytes kept back from the previous chunk, then the next block of the input (at least
  // one byte more unless the input has ended). False when nothing is left.
  bool Next();
  std::string_view Chunk() const { return chunk_; }
  // True when no byte follows the current chunk.
  bool IsLast() const { return last_; }
  // The bytes from `offset` on open the next chunk.
  void KeepFrom(std::size_t offset) { kept_ = chunk_.size() - offset; }
  // Overwrites the chunk's bytes from `offset` on with `bytes`, for a pass that keeps back
  // bytes it has rearranged.
  void Rewrite(std::size_t offset, std::string_view bytes) {
    chunk_.replace(offset, bytes.size(), bytes);
  }

 private:
  ByteSource& in_;
  std::string chunk_;
  std::size_t kept_ = 0;
  bool last_ = false;
};

}  // namespace engine
