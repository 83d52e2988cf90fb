// The jobs that turn a whole ruby text into new text at once (kana, repair, strip, brace escape,
// sort), for every front end that writes their result to a file or a stream: the text read whole
// in Shift_JIS, transformed, and given back in the text's form.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "jobs/delivery.h"
#include "jobs/job_text.h"

namespace jobs {

// The new text, or nullopt when the transform refused (it has said why).
using Transform = std::function<std::optional<std::string>(std::string_view text)>;

// Runs `transform` over the whole of `text` and writes the result to destination.output
// (replaced only by a complete result; never the text's own file) or into the stream. A
// Shift_JIS file's result is written as the transform made it, line ends and all; any other
// text's goes back to its encoding and line ends. Not ok after a message.
[[nodiscard]] JobResult RunTransformJob(JobText& text, const Destination& destination,
                                        const Transform& transform, common::Messenger& messenger);

}  // namespace jobs
