// The CP932 table a character at a time, taken from iconv once, so that long texts convert
// without iconv's per-call cost. Whatever the tables do not know (bytes that are not CP932, a
// character CP932 lacks) is left to iconv itself, so results never differ from iconv's.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace common {

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
