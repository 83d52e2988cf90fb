// Brace escape: literal braces of the user's text become look-alike characters.
#include "engine/brace_escape.h"

#include "common/sjis.h"
#include "common/sjis_reader.h"

namespace engine {
namespace {

// ∈ and ∋ stand for '{' and '}'; an '@' before them marks a stretch that held a '/', so that
// it could have been taken for a ruby group.
constexpr std::string_view kOpenLookAlike = "\x81\xB8";   // ∈
constexpr std::string_view kCloseLookAlike = "\x81\xB9";  // ∋
constexpr char kGroupLikeMark = '@';

// Offset of the next single-byte `byte` at or after `from`, or npos.
std::size_t FindSingleByte(std::string_view text, std::size_t from, char byte) {
  common::SjisReader reader(text, from);
  while (!reader.AtEnd()) {
    if (reader.AtByte(byte)) return reader.Offset();
    reader.Next();
  }
  return std::string_view::npos;
}

void AppendEscaped(std::string_view stretch, std::string& out) {
  bool group_like = FindSingleByte(stretch, 0, common::kGroupSeparator) != std::string_view::npos;
  for (common::SjisReader reader(stretch); !reader.AtEnd();) {
    common::SjisChar c = reader.Next();
    bool open = c.Is(common::kGroupOpen);
    if (!open && !c.Is(common::kGroupClose)) {
      out.append(c.bytes);
      continue;
    }
    if (group_like) out += kGroupLikeMark;
    out.append(open ? kOpenLookAlike : kCloseLookAlike);
  }
}

}  // namespace

std::string EscapeBraces(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t done = 0;
  bool closable = true;  // false once a '{' has found no '}' after it
  for (;;) {
    std::size_t open = FindSingleByte(text, done, common::kGroupOpen);
    if (open == std::string_view::npos) break;
    std::size_t close =
        closable ? FindSingleByte(text, open + 1, common::kGroupClose) : std::string_view::npos;
    // A '{' that nothing closes is escaped alone, and so is every '{' after it.
    closable = close != std::string_view::npos;
    std::size_t stretch_end = closable ? close + 1 : open + 1;
    out.append(text.substr(done, open - done));
    AppendEscaped(text.substr(open, stretch_end - open), out);
    done = stretch_end;
  }
  out.append(text.substr(done));
  return out;
}

}  // namespace engine
