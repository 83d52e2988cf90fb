// The document's text as the first working file.
#include "engine/commands/prepared_text.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/encoding/text_source_writer.h"

namespace engine {
namespace {

constexpr std::size_t kChunk = 1 << 16;

}  // namespace

int LineOfFirstNul(const common::TextSource& text) {
  std::vector<char> chunk(kChunk);
  // Texts hold no NUL byte as a rule: the lines are counted only once one is found.
  std::size_t nul_offset = 0;
  bool found = false;
  for (std::size_t offset = 0; offset < text.Size() && !found;) {
    std::size_t n = text.Read(offset, chunk.data(), chunk.size());
    if (n == 0) break;
    const void* nul = std::memchr(chunk.data(), '\0', n);
    found = nul != nullptr;
    nul_offset = offset + (found ? static_cast<std::size_t>(static_cast<const char*>(nul) -
                                                            chunk.data())
                                 : n);
    offset += n;
  }
  if (!found) return 0;
  int line = 1;
  for (std::size_t offset = 0; offset < nul_offset;) {
    std::size_t n = text.Read(offset, chunk.data(), std::min(chunk.size(), nul_offset - offset));
    if (n == 0) break;
    line += static_cast<int>(std::count(chunk.data(), chunk.data() + n, '\n'));
    offset += n;
  }
  return line;
}

PreparedTextStatus WritePreparedText(const common::TextSource& text,
                                     const std::filesystem::path& path, std::size_t* first_nul) {
  // The passes take every line, the last one too, to end with a line break.
  switch (common::WriteTextSource(text, path, /*final_line_break=*/true, first_nul)) {
    case common::TextSaveStatus::kOk:
      return PreparedTextStatus::kOk;
    case common::TextSaveStatus::kReadFailed:
      return PreparedTextStatus::kSourceFailed;
    case common::TextSaveStatus::kWriteFailed:
      break;
  }
  return PreparedTextStatus::kWriteFailed;
}

}  // namespace engine
