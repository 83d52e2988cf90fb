// A ruby text as it is read: each ruby group gives its reading, so that a voice says every word
// the way the dictionary reads it.
#pragma once

#include <string>
#include <string_view>

namespace speech {

// `sjis` with every group "{base/reading}" replaced by its reading, the first where the group
// offers alternatives ("{base/first|second}"); everything else is kept. A group left open at the
// end keeps its text as it stands.
std::string ReadingsOf(std::string_view sjis);

}  // namespace speech
