// The document's text as the first working file.
#include "engine/prepared_text.h"

#include <algorithm>
#include <vector>

#include "common/text_source_writer.h"

namespace engine {
namespace {

constexpr std::size_t kChunk = 1 << 16;

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
  // The passes take every line, the last one too, to end with a line break.
  switch (common::WriteTextSource(text, path, /*final_line_break=*/true)) {
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
