// Character-aligned searching in Shift_JIS text.
#include "common/sjis.h"

#include <cstring>

namespace common {

std::size_t FindAligned(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.empty()) return std::string_view::npos;
  // Byte search first (fast), then confirm that the hit starts on a character boundary by
  // walking characters from the last confirmed boundary.
  std::size_t boundary = from;
  std::size_t hit = text.find(needle, from);
  while (hit != std::string_view::npos) {
    while (boundary < hit) boundary += IsLeadByte(text[boundary]) ? 2 : 1;
    if (boundary == hit) return hit;
    hit = text.find(needle, hit + 1);
  }
  return std::string_view::npos;
}

std::size_t AlignedCut(std::string_view text, std::size_t limit) {
  if (limit >= text.size()) return text.size();
  std::size_t offset = 0;
  while (offset < limit) {
    std::size_t width = IsLeadByte(text[offset]) ? 2 : 1;
    if (offset + width > limit) break;
    offset += width;
  }
  return offset;
}

}  // namespace common
