// The jobs that turn a whole ruby text into new text (kana, repair, strip, brace escape, sort),
// for every front end that writes their result to a file or a stream: the text read in
// Shift_JIS a piece at a time, transformed as it comes, and given back in the text's form.
#pragma once

#include <functional>

#include "common/messenger.h"
#include "common/encoding/text_conversion.h"
#include "common/encoding/text_source.h"
#include "jobs/delivery.h"
#include "jobs/job_text.h"

namespace jobs {

// Transforms the Shift_JIS `text`, handing the result to `sink` as it goes (common/encoding/text_pieces.h
// runs a step that way). False when it refused the text (after its message, before handing
// anything on), or when the text or the sink failed.
using Transform =
    std::function<bool(const common::TextSource& text, const common::PieceSink& sink)>;

// Runs `transform` over `text` and writes the result to destination.output (replaced only by a
// complete result; never the text's own file) or into the stream, in the text's encoding and
// line ends (see FirstLineEndsInLf). Not ok after a message.
[[nodiscard]] JobResult RunTransformJob(JobText& text, const Destination& destination,
                                        const Transform& transform, common::Messenger& messenger);

}  // namespace jobs
