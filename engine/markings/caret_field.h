// The number of the field in which the caret of a text window stands, for the display of
// the line-and-field dialog.
#pragma once

#include <string_view>

namespace engine {

// Fields are counted from 1 across `line_head` (Shift_JIS, the caret's line up to the caret):
// one more than the separators in it. A trail byte equal to the separator (ソ is 0x83 0x5C, the
// backslash) separates nothing. With no separator chosen yet, a comma separates.
int CaretField(std::string_view line_head, std::string_view separator);

}  // namespace engine
