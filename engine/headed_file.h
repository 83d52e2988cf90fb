// A working file whose first lines sum up the text that follows them, written in one reading
// of the input: the text goes to a temporary file while it is counted, then the summary and the
// text go into place.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "engine/byte_stream.h"

namespace engine {

enum class HeadedFileStatus { kOk, kInputFailed, kOutputFailed };

// `write_body` writes the text and returns its count, or nullopt when its input failed;
// `header_of` gives the summary for that count (Shift_JIS, LF line ends). Without `header_of`
// the text is written straight to `target`. On failure no temporary file is left behind.
HeadedFileStatus WriteHeadedFile(const std::filesystem::path& target,
                                 const std::function<std::optional<int>(ByteSink&)>& write_body,
                                 const std::function<std::string(int)>& header_of);

}  // namespace engine
