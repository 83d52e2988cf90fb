// How a text file the user hands over is encoded, decided the same way by the desktop and the
// command line: Shift_JIS, or UTF-8 when the bytes are valid UTF-8 holding non-ASCII text; a
// UTF-8 byte-order mark settles it. Pure ASCII reads the same either way and counts as
// Shift_JIS. Also the line ends of such files: CR LF on disk, LF inside.
#pragma once

#include <string>
#include <string_view>

namespace common {

enum class TextEncoding {
  kShiftJis,
  kUtf8,
  kUtf8WithBom,  // UTF-8 that began with a byte-order mark, which a save writes back
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Well-formed UTF-8 as the standard defines it: no overlong forms, no surrogates, nothing past
// U+10FFFF, no sequence cut off at the end.
bool IsValidUtf8(std::string_view bytes);

TextEncoding DetectEncoding(std::string_view bytes);

// Every CR LF as LF (a lone CR stays), and every LF as CR LF.
std::string CrLfToLf(std::string_view bytes);
std::string LfToCrLf(std::string_view bytes);

}  // namespace common
