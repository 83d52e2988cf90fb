// The frame of the commands that turn a whole ruby file into new text: read the file a piece at a
// time, transform it as it comes, and write the result to -o OUT or to standard output.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "common/encoding/text_pieces.h"
#include "jobs/transform_job.h"

namespace cli {

// The -o option every such command declares.
inline constexpr OptionSpec kOutputOptionSpec = {
    kOutputOption, "-o", ValueKind::kPath, "OUT",
    "write the result to OUT (may be FILE itself) instead of standard output"};

using jobs::Transform;

// The transform that runs `step` over the text a piece at a time.
inline Transform InPieces(common::PieceStep step) {
  return [step = std::move(step)](const common::TextSource& text, const common::PieceSink& sink) {
    return common::TransformInPieces(text, step, sink);
  };
}

// Runs `transform` over the Shift_JIS text of the command's one operand (a file in either
// encoding, or "-" for standard input; see user_text.h). A Shift_JIS file's line ends are kept as
// they are; a UTF-8 text's result is written back in UTF-8 with the text's line ends. OUT is
// replaced only by a complete result. A file that cannot be read is named in `cannot_read`.
CommandResult TransformFile(const CommandEnv& env, const Transform& transform,
                            std::string_view cannot_read = messages::kCannotReadFile);

}  // namespace cli
