// Conversion between UTF-8 (source literals, terminal, messages) and CP932, the Shift_JIS of
// every text file the system reads and writes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace common {

// nullopt when the text holds a character that the target encoding cannot represent (or, for
// Cp932ToUtf8, bytes that are not valid CP932).
std::optional<std::string> Utf8ToCp932(std::string_view utf8);
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);

// For texts that must be shown whatever they hold: undecodable bytes become U+FFFD.
std::string Cp932ToUtf8Lossy(std::string_view cp932);
// For texts that must be written whatever they hold (a path in a report): a character CP932
// lacks, and each byte that is not UTF-8, becomes '?'.
std::string Utf8ToCp932Lossy(std::string_view utf8);

// For Japanese constants of our own, which always convert; aborts on a programming error.
std::string Sjis(std::string_view utf8);

}  // namespace common
