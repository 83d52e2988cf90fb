// CR LF saving of a text source.
#include "common/encoding/text_source_writer.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "common/encoding/text_file.h"

namespace common {
namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

// Writes one piece with every line end as CR LF: a CR goes before each LF that has none. A CR
// at the end of the piece is held back until the next byte is known; a held CR is written
// with the next piece, since CR LF and a lone CR both keep it.
void WritePiece(std::string_view piece, bool& held_cr, TextWriter& out) {
  if (piece.empty()) return;
  bool after_cr = held_cr;
  if (held_cr) out.WriteRaw("\r");
  held_cr = piece.back() == kCarriageReturn;
  if (held_cr) piece.remove_suffix(1);
  // Most texts end their lines with CR LF already: a piece of them goes over in one copy.
  std::size_t written = 0;
  for (std::size_t at = 0; at < piece.size(); ++at) {
    const void* found = std::memchr(piece.data() + at, kLineFeed, piece.size() - at);
    if (!found) break;
    at = static_cast<std::size_t>(static_cast<const char*>(found) - piece.data());
    if (at == 0 ? after_cr : piece[at - 1] == kCarriageReturn) continue;
    out.WriteRaw(piece.substr(written, at - written));
    out.WriteRaw("\r");
    written = at;
  }
  out.WriteRaw(piece.substr(written));
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
