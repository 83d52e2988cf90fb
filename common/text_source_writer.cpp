// CR LF saving of a text source.
#include "common/text_source_writer.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "common/text_file.h"

namespace common {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

// Writes one piece, leaving out the CR of each CR LF (the writer puts it back). A CR at the end
// of the piece is held back until the next byte is known.
void WritePiece(std::string_view piece, bool& held_cr, TextWriter& out) {
  if (held_cr && piece.front() != kLineFeed) out.Put(kCarriageReturn);
  held_cr = false;
  while (!piece.empty()) {
    const void* found = std::memchr(piece.data(), kCarriageReturn, piece.size());
    if (!found) {
      out.Write(piece);
      return;
    }
    std::size_t at = static_cast<const char*>(found) - piece.data();
    out.Write(piece.substr(0, at));
    if (at + 1 == piece.size()) {
      held_cr = true;
      return;
    }
    if (piece[at + 1] != kLineFeed) out.Put(kCarriageReturn);
    piece.remove_prefix(at + 1);
  }
}

// The end of the file: `last` is the text's last byte, '\n' for an empty text.
void WriteEnd(char last, bool held_cr, bool final_line_break, TextWriter& out) {
  if (final_line_break) {
    if (last != kLineFeed) out.Put(kLineFeed);  // also stands for a held CR
  } else if (held_cr) {
    out.Put(kCarriageReturn);
  }
}

}  // namespace

TextSaveStatus WriteTextSource(const TextSource& text, const std::filesystem::path& path,
                               bool final_line_break, std::size_t* first_nul) {
  TextWriter out;
  if (!out.Open(path)) return TextSaveStatus::kWriteFailed;
  if (first_nul != nullptr) *first_nul = std::string_view::npos;
  std::vector<char> chunk(kChunk);
  bool held_cr = false;
  char last = kLineFeed;
  std::size_t offset = 0;
  while (offset < text.Size()) {
    std::size_t n = text.Read(offset, chunk.data(), chunk.size());
    if (n == 0) break;
    if (first_nul != nullptr && *first_nul == std::string_view::npos) {
      if (const void* nul = std::memchr(chunk.data(), '\0', n)) {
        *first_nul = offset + static_cast<std::size_t>(static_cast<const char*>(nul) - chunk.data());
      }
    }
    WritePiece(std::string_view(chunk.data(), n), held_cr, out);
    last = chunk[n - 1];
    offset += n;
  }
  WriteEnd(last, held_cr, final_line_break, out);
  bool written = out.Close();
  if (offset < text.Size() || text.Failed()) return TextSaveStatus::kReadFailed;
  return written ? TextSaveStatus::kOk : TextSaveStatus::kWriteFailed;
}

}  // namespace common
