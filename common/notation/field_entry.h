// The field separator and the line-head mark as the user types them, read one way by every dialog
// and option that takes them (line-and-field ruby, YMI output, mirukaze-cli's --separator).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace common {

// The separator `typed` stands for: "\t" (backslash, t) is the tab, a backslash before anything
// else is a lone backslash, and otherwise only the first character counts (one or two bytes;
// SeparatorFaultOf refuses a double-byte one). Empty for an empty entry.
std::string SeparatorEntry(std::string_view typed);

// Why a separator (as SeparatorEntry gives it) cannot split fields, or kNone when it can.
enum class SeparatorFault { kNone, kEmpty, kDoubleByte };
SeparatorFault SeparatorFaultOf(std::string_view separator);

// The one byte `typed` stands for as a separator; nullopt for an entry SeparatorFaultOf refuses.
std::optional<char> SeparatorByteOf(std::string_view typed);

// What a separator edit keeps of `typed`: a backslash followed by anything but 't' is cut back
// to the backslash alone, and anything else stays as typed. It looks at ASCII only, so the text
// may be in Shift_JIS or in UTF-8.
std::string_view KeptSeparatorEdit(std::string_view typed);

// The separator's code as the dialogs show it: "0x" and two upper-case hex digits.
std::string SeparatorCode(char separator);

// Whether a line-head mark cannot be cut from the lines it starts: a ',' or '{' in it would
// leave a field or a ruby group broken. Trail bytes are never taken for either.
bool MarkCannotBeCut(std::string_view mark);

}  // namespace common
