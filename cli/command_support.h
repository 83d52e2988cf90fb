// Small steps that several commands share: opening an input, writing an output, and the
// tool's own failure message.
#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string_view>

#include "common/message_format.h"
#include "common/messenger.h"
#include "common/encoding/text_source.h"
#include "jobs/job_text.h"

namespace cli {

// The failure messages of the jobs' own form (titled "ご注意!!"), for the tool's messages too.
using jobs::TellCannotRead;
using jobs::TellFailure;

// The file as a text source, or nullptr after a message when it cannot be opened or is not
// a regular file.
std::unique_ptr<common::FileTextSource> OpenInput(const std::filesystem::path& path,
                                                  common::Messenger& messenger);

// Writes `bytes` to the output stream; false after a message when the stream fails.
[[nodiscard]] bool WriteOutput(std::ostream& out, std::string_view bytes,
                               common::Messenger& messenger);

// Writes `bytes` to a temporary file beside `target` and moves it into place, so that a
// failed write never leaves a truncated file where a good one was. False after a message.
[[nodiscard]] bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes,
                               common::Messenger& messenger);

// A path for a message: the bytes of its name, shown as text.
std::string PathText(const std::filesystem::path& path);

}  // namespace cli
