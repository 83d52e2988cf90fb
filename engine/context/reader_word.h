// A word of a sentence as the reader holds it between the analyser and the groups, shared by the
// files of the reader.
#pragma once

#include <cstddef>
#include <string>

#include "engine/context/reader.h"

namespace engine::context {

struct Reader::Word {
  std::size_t first = 0;
  std::size_t last = 0;
  Morpheme morpheme;
  std::string surface;      // Shift_JIS
  std::string reading;      // Shift_JIS hiragana
  bool readable = false;    // no character of it fixed, a reading, a character to read
  bool all_target = false;  // every character a kanji
  bool taken = false;       // read as part of a dictionary word
  bool settled = false;     // read by a convention: no dictionary word takes it
};

}  // namespace engine::context
