// Streams ruby text and hands every whole ruby group to a visitor, copying all other bytes
// unchanged; the grade and level filters are visitors.
#pragma once

#include <string_view>

#include "engine/byte_stream.h"

namespace engine {

class GroupVisitor {
 public:
  virtual ~GroupVisitor() = default;
  // `group` runs from its '{' through its '}', or to the end of the text when nothing closes
  // it. The visitor writes what becomes of it.
  virtual void Visit(std::string_view group, ByteSink& out) = 0;
};

// With `copy_areas`, a non-ruby area (0x11 … 0x12) is copied whole, braces and all. A '{' or '}'
// that is the trail byte of a double-byte character (図 is 0x90 0x7D) is text, never notation.
// Any group length is handled: a group cut by the end of a chunk waits for the next one.
void ScanGroups(ByteSource& in, ByteSink& out, bool copy_areas, GroupVisitor& visitor);

}  // namespace engine
