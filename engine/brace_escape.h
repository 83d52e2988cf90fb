// Replaces literal braces of a text by look-alike characters before a ruby pass, so that they
// are not read as ruby groups.
#pragma once

#include <string>
#include <string_view>

namespace engine {

// {漢/かん} becomes @∈漢/かん@∋ and {注} becomes ∈注∋; a '{' without a '}' after it is
// replaced alone. Trail bytes equal to a brace (本 is 0x96 0x7B) are left alone.
std::string EscapeBraces(std::string_view text);

}  // namespace engine
