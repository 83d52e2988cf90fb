// Message texts of the dialog pieces that the ruby and dictionary commands share (UTF-8), filled
// in by common::FormatMessage.
#pragma once

#include <string_view>

namespace app::messages {

inline constexpr std::string_view kTitleCaution = "ご注意!!";

// The character is filled in as "「X」（U+XXXX）".
inline constexpr std::string_view kEntryNotSjis =
    "文字%s は Shift_JIS で表せません。\n別の文字にしてください。";

}  // namespace app::messages
