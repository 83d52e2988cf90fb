// Replaces literal braces of a text by look-alike characters before a ruby pass, so that they
// are not read as ruby groups.
#pragma once

#include <string>
#include <string_view>

#include "common/encoding/text_pieces.h"
#include "common/encoding/text_source.h"

namespace engine {

// {漢/かん} becomes @∈漢/かん@∋ and {注} becomes ∈注∋: a stretch from a '{' to the first '}'
// after it, on any line, has its braces replaced, each marked by '@' when the stretch holds a
// '/'. A '{' without a '}' after it is replaced alone, and so is every '{' after it, and so is a
// '}' that no '{' opened. Trail bytes equal to a brace (本 is 0x96 0x7B) are left alone.
std::string EscapeBraces(std::string_view text);

// The same a piece at a time over `text` (common/encoding/text_pieces.h), which the step reads ahead in
// for the '}' of a stretch that runs past the piece it is handed; `text` outlives the step.
common::PieceStep BraceEscapeStep(const common::TextSource& text);

}  // namespace engine
