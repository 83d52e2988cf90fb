// Telling a trail byte from a character of its own without walking the text from its start.
#pragma once

#include <cstddef>
#include <string_view>

#include "common/sjis.h"

namespace engine {

// True when the byte at `offset` (or, at text.size(), the byte that would follow) is the trail
// byte of a double-byte character; `boundary` (at most `offset`) must start a character. A byte
// that is no lead byte always ends a character, so only the lead-byte values right before
// `offset` need counting: they pair up from the last such character end.
inline bool IsTrailByteAt(std::string_view text, std::size_t boundary, std::size_t offset) {
  std::size_t run = 0;
  while (offset - run > boundary && common::IsLeadByte(text[offset - run - 1])) ++run;
  return run % 2 == 1;
}

}  // namespace engine
