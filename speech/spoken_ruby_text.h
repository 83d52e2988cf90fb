// A ruby text as it is read aloud: each ruby group says either its base, as a reader of the
// page sees it, or its reading, so that a voice says every word the way the ruby reads it.
#pragma once

#include <string>
#include <string_view>

namespace speech {

enum class SpokenPart { kBases, kReadings };

// `sjis` with every group "{base/reading}" replaced by its base or by its reading: the first
// where the group offers alternatives ("{base/first|second}"), the base where it has none. The
// notation's braces are never spoken, even those of a group left open or without a reading.
std::string SpokenRubyText(std::string_view sjis, SpokenPart part);

}  // namespace speech
