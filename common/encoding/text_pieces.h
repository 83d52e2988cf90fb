// A whole-text transform run a piece at a time, so that a text of any size (a line of any
// length too) is never held whole: each step takes what it can finish from the text it is handed,
// and what it leaves waits for the text after it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "common/encoding/text_conversion.h"
#include "common/encoding/text_source.h"

namespace common {

// Transforms the start of `buffer`, which stands at `offset` in the text and begins on a
// character boundary, appending the result to `out`; returns how many bytes of it were taken.
// With `at_end` the buffer runs to the end of the text and all of it is taken; otherwise the
// step leaves what the text after the buffer could still change (an unfinished group, a
// character cut by the buffer's end), and it is handed back with more text behind it.
using PieceStep =
    std::function<std::size_t(std::string_view buffer, std::size_t offset, bool at_end,
                              std::string& out)>;

// Runs `step` over `text` from start to end, reading `piece` bytes at a time and handing each
// result to `sink`. What a step leaves is carried and the next read is as large as the carry, so
// a step that waits long still looks at each byte only a few times. False when the text could
// not be read (see TextSource::Failed) or the sink refused a piece.
inline constexpr std::size_t kTextPiece = std::size_t{1} << 20;
[[nodiscard]] bool TransformInPieces(const TextSource& text, const PieceStep& step,
                                     const PieceSink& sink, std::size_t piece = kTextPiece);

// The end of the whole characters of `buffer` (which begins on a character boundary): its size,
// or one less when its last byte is a lead byte whose trail lies beyond it.
std::size_t WholeCharactersEnd(std::string_view buffer);

}  // namespace common
