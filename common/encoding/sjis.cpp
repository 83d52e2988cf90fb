// Character-aligned searching in Shift_JIS text.
#include "common/encoding/sjis.h"

#include <cstring>

namespace common {

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
