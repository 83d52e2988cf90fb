// Whole-text transforms a piece at a time.
#include "common/encoding/text_pieces.h"

#include <algorithm>

#include "common/encoding/sjis.h"

namespace common {

bool TransformInPieces(const TextSource& text, const PieceStep& step, const PieceSink& sink,
                       std::size_t piece) {
  std::string buffer;
  std::string out;
  std::size_t size = text.Size();
  std::size_t offset = 0;  // of the buffer in the text
  std::size_t read = 0;    // bytes of the text read so far
  for (;;) {
    std::size_t want = std::min(std::max(piece, buffer.size()), size - read);
    std::size_t held = buffer.size();
    buffer.resize(held + want);
    std::size_t got = text.Read(read, buffer.data() + held, want);
    if (got < want || text.Failed()) return false;
    read += got;
    bool at_end = read == size;
    out.clear();
    std::size_t taken = step(buffer, offset, at_end, out);
    if (!out.empty() && !sink(out)) return false;
    if (at_end) return true;
    buffer.erase(0, taken);
    offset += taken;
  }
}

std::size_t WholeCharactersEnd(std::string_view buffer) {
  return IsCharacterStart(buffer, 0, buffer.size()) ? buffer.size() : buffer.size() - 1;
}

}  // namespace common
