// The CP932 table a character at a time, taken from iconv once: long texts convert without
// iconv's per-call cost, and whoever needs single characters (a dictionary's words, a width)
// asks here. Whatever the tables do not know (bytes that are not CP932, a character CP932
// lacks) is left to iconv itself, so results never differ from iconv's.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace common {

// One character: the CP932 code iconv writes for a code point (a single byte below 0x100, else
// lead << 8 | trail; of the NEC and IBM duplicates, iconv's own), and the code point a code
// reads as. nullopt where CP932 has none, as iconv says.
std::optional<std::uint16_t> Cp932CodeOf(char32_t code);
std::optional<char32_t> UnicodeOfCp932(std::uint16_t cp932);

// nullopt where the tables cannot say: the caller converts the text with iconv instead.
std::optional<std::string> TableUtf8ToCp932(std::string_view utf8);
std::optional<std::string> TableCp932ToUtf8(std::string_view cp932);

// TableUtf8ToCp932 into `out`, which has room for as many bytes as `utf8` has; the end of what
// was written, or nullptr where the tables cannot say.
char* TableUtf8ToCp932Into(std::string_view utf8, char* out);

// TableCp932ToUtf8 into `out`, which has room for three bytes for each byte of `cp932` and one
// more; the end of what was written, or nullptr where the tables cannot say (`out` then holds
// nothing of use). For a caller that converts piece after piece into one buffer.
char* TableCp932ToUtf8Into(std::string_view cp932, char* out);

}  // namespace common
