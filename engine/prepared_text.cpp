// Streaming the document's text into the first working file.
#include "engine/prepared_text.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "common/text_file.h"

namespace engine {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr char kCarriageReturn = '\r';

// Writes one chunk, leaving out the CR of each CR LF (the writer puts it back). A CR at the
// end of the chunk is held back until the next byte is known.
void WriteChunk(std::string_view chunk, bool& held_cr, common::TextWriter& out) {
  if (held_cr && chunk.front() != '\n') out.Put(kCarriageReturn);
  held_cr = false;
  while (!chunk.empty()) {
    const void* found = std::memchr(chunk.data(), kCarriageReturn, chunk.size());
    if (!found) {
      out.Write(chunk);
      return;
    }
    std::size_t at = static_cast<const char*>(found) - chunk.data();
    out.Write(chunk.substr(0, at));
    if (at + 1 == chunk.size()) {
      held_cr = true;
      return;
    }
    if (chunk[at + 1] != '\n') out.Put(kCarriageReturn);
    chunk.remove_prefix(at + 1);
  }
}

}  // namespace

int LineOfFirstNul(const common::TextSource& text) {
  std::vector<char> chunk(kChunk);
  int line = 1;
  for (std::size_t offset = 0; offset < text.Size();) {
    std::size_t n = text.Read(offset, chunk.data(), chunk.size());
    if (n == 0) break;
    auto end = chunk.begin() + static_cast<std::ptrdiff_t>(n);
    auto nul = std::find(chunk.begin(), end, '\0');
    line += static_cast<int>(std::count(chunk.begin(), nul, '\n'));
    if (nul != end) return line;
    offset += n;
  }
  return 0;
}

PreparedTextStatus WritePreparedText(const common::TextSource& text,
                                     const std::filesystem::path& path) {
  common::TextWriter out;
  if (!out.Open(path)) return PreparedTextStatus::kWriteFailed;
  std::vector<char> chunk(kChunk);
  bool held_cr = false;
  char last = '\n';  // an empty text needs no line break
  std::size_t offset = 0;
  while (offset < text.Size()) {
    std::size_t n = text.Read(offset, chunk.data(), chunk.size());
    if (n == 0) break;
    WriteChunk(std::string_view(chunk.data(), n), held_cr, out);
    last = chunk[n - 1];
    offset += n;
  }
  if (last != '\n') out.Put('\n');  // also turns a final lone CR into the line break
  bool written = out.Close();
  if (offset < text.Size() || text.Failed()) return PreparedTextStatus::kSourceFailed;
  return written ? PreparedTextStatus::kOk : PreparedTextStatus::kWriteFailed;
}

}  // namespace engine
