// Fills the printf-style placeholders of a message text.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace common {

using MessageArg = std::variant<std::string_view, std::int64_t>;

// Replaces %s, %d, %lu and %X (upper-case hex) in order by the arguments and "%%" by "%".
// A placeholder without an argument is left as it stands.
std::string FormatMessage(std::string_view pattern, std::initializer_list<MessageArg> args);

}  // namespace common
