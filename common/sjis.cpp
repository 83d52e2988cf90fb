// Character-aligned searching in Shift_JIS text.
#include "common/sjis.h"

#include <cstring>

namespace common {

// A byte that is no lead byte always ends a character, so only the run of lead-byte values
// right before `offset` needs counting: they pair up from the end of that character.
bool IsCharacterStart(std::string_view text, std::size_t boundary, std::size_t offset) {
  std::size_t run = 0;
  while (offset - run > boundary && IsLeadByte(text[offset - run - 1])) ++run;
  return run % 2 == 0;
}

std::size_t FindAligned(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return std::string_view::npos;
  for (std::size_t hit = text.find(needle, from); hit != std::string_view::npos;
       hit = text.find(needle, hit + 1)) {
    if (IsCharacterStart(text, from, hit)) return hit;
  }
  return std::string_view::npos;
}

std::size_t AlignedCut(std::string_view text, std::size_t limit) {
  if (limit >= text.size()) return text.size();
  return IsCharacterStart(text, 0, limit) ? limit : limit - 1;
}

}  // namespace common
