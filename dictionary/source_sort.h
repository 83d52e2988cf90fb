// Sorting the lines of a dictionary source, so that entries typed twice end up side by side
// where the duplicate check finds them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"

namespace dictionary {

// Lines of a Shift_JIS text (LF line ends) in ascending Japanese collation with letter case
// ignored; lines that compare equal are kept once, empty lines are dropped. nullopt when the text
// holds bytes CP932 cannot decode (say which line in `bad_line`) or the collator cannot be opened.
struct SortResult {
  std::optional<std::string> text;
  int bad_line = 0;  // 1-based; 0 when the text decoded but the collator could not be opened
};

// Each line of the result ends with LF, the last one included.
SortResult SortSourceLines(std::string_view text);

// Why a sort gave no text ("ご注意!!"): the undecodable line, or the missing collator.
common::Message SortFailedMessage(const SortResult& failed);

}  // namespace dictionary
