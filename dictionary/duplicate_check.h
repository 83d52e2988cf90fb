// Finding the first two neighbouring lines of a dictionary source whose first fields (the text
// up to the first comma, or the whole line) are the same word.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"

namespace dictionary {

// Where the duplicate was found, as the message needs it.
struct DuplicateField {
  std::size_t byte_position = 0;  // offset from the start of the text of the ',' or LF ending it
  int previous_line = 0;          // 1-based line numbers of the two neighbours
  int line = 0;
  int characters = 0;  // length of the field in Shift_JIS characters
  std::string field;   // the field's Shift_JIS bytes
};

// Scans text with CR LF line ends byte by byte (every byte counts, CR included) and stops at the
// first non-empty first field equal to that of the line before it. Fields of any length are
// compared whole.
std::optional<DuplicateField> FindDuplicateFirstField(std::string_view text);

// "発見!!" and its text (UTF-8); the field is shown even when it holds bytes CP932 cannot decode.
common::Message DuplicateFoundMessage(const DuplicateField& found);
// "重複チェック完了".
common::Message NoDuplicateMessage();

}  // namespace dictionary
