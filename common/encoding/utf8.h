// UTF-8 of Unicode code points: the one encoder of the system, for the places that hold
// characters one at a time (conversion tables, dictionary generation, a character named in a
// message).
#pragma once

#include <string>
#include <string_view>

namespace common {

// Appends the UTF-8 form of `code`, one to four bytes. `code` is a code point up to U+10FFFF;
// a surrogate is written as its three bytes, as it stands.
void AppendUtf8(char32_t code, std::string& out);

std::string Utf8Of(char32_t code);
std::string EncodeUtf8(std::u32string_view text);

}  // namespace common
