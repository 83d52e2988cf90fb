// The field separator and the line-head mark as the user types them, read one way by every dialog
// and option that takes them (line-and-field ruby, YMI output).
#pragma once

#include <string>
#include <string_view>

namespace common {

// The separator `typed` stands for: "\t" (backslash, t) is the tab, a backslash before anything
// else is a lone backslash, and otherwise only the first character counts (one or two bytes;
// callers refuse a double-byte one). Empty for an empty entry.
std::string SeparatorEntry(std::string_view typed);

// Whether a line-head mark cannot be cut from the lines it starts: a ',' or '{' in it would
// leave a field or a ruby group broken. Trail bytes are never taken for either.
bool MarkCannotBeCut(std::string_view mark);

}  // namespace common
