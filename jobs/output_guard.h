// The one rule for every file a job writes for a text: never the text's own file. Names are not
// compared; the two files are (device and inode, links followed), so an output named another
// way, a link to the text or a hard link to it is known for what it is.
#pragma once

#include <filesystem>

#include "common/messenger.h"
#include "jobs/job_text.h"

namespace jobs {

// Whether writing `output` would replace the file `text` is read from (a text from a stream has
// none); if so the refusal naming both files has been told, and nothing may be written.
[[nodiscard]] bool RefusedAsInput(const JobText& text, const std::filesystem::path& output,
                                  common::Messenger& messenger);

}  // namespace jobs
