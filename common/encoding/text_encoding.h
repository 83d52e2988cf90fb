// How a text file the user hands over is encoded, decided the same way by the desktop and the
// command line: Shift_JIS, or UTF-8 when the bytes are valid UTF-8 holding non-ASCII text; a
// UTF-8 byte-order mark settles it. Pure ASCII reads the same either way and counts as
// Shift_JIS. Also the line ends of such files: CR LF on disk, LF inside.
#pragma once

#include <filesystem>
#include <optional>
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

// The length of the well-formed UTF-8 sequence that starts at bytes[at] (1 for ASCII), or 0 for
// a byte that starts none there.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at);

// Whether `bytes` hold a byte past ASCII.
bool HasNonAscii(std::string_view bytes);

// How many bytes at the end of `bytes` begin a UTF-8 sequence that a following piece would
// complete: where a text read in pieces is cut.
std::size_t UnfinishedUtf8Tail(std::string_view bytes);

// DetectEncoding over a file read a piece at a time, so a Shift_JIS text (the common case,
// decided at its first non-UTF-8 byte) is never held whole; nullopt when it cannot be read.
std::optional<TextEncoding> DetectFileEncoding(const std::filesystem::path& file);

// Every CR LF as LF (a lone CR stays), and every LF as CR LF.
std::string CrLfToLf(std::string_view bytes);
std::string LfToCrLf(std::string_view bytes);

// Whether a text's lines end in LF alone: it holds a line feed and never a CR LF. Files written
// for the user from such a text keep LF; every other text gets the program's CR LF.
bool HasLfLineEnds(std::string_view bytes);

// The first character of a UTF-8 text that Shift_JIS cannot hold: the character (UTF-8) and
// where it stands, line and column counted in characters from 1.
struct UnencodableCharacter {
  std::string character;
  int line = 0;
  int column = 0;
};

// The bytes of a text in `encoding` as the passes take them: Shift_JIS as it is, UTF-8 (its
// mark dropped) converted. nullopt, with `bad` filled when given, for a character Shift_JIS
// cannot hold: it is refused rather than replaced.
std::optional<std::string> ToShiftJis(std::string_view bytes, TextEncoding encoding,
                                      UnencodableCharacter* bad = nullptr);

// Shift_JIS made by the passes, back in `encoding` for the user (the mark put back).
std::string FromShiftJis(std::string_view sjis, TextEncoding encoding);

}  // namespace common
