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

}  // namespace common
