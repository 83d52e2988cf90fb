// Saving a TextSource as a text file with CR LF line ends, piece by piece, so that a text of
// any size is written in bounded memory.
#pragma once

#include <filesystem>

#include "common/encoding/text_source.h"

namespace common {

enum class [[nodiscard]] TextSaveStatus : int {
  kOk = 1,
  kReadFailed = -1,   // the text could not be read whole (see TextSource::Failed)
  kWriteFailed = -2,  // the file could not be created or written whole
};

// Writes `text` to `path`. A CR LF or an LF of the text becomes one CR LF; any other CR is kept
// as it is. With `final_line_break` the file always ends with a line break: a text without one
// gets it, and a lone CR at the very end is taken as that line break. Without it, the last line
// is written as the text has it. An empty text gives an empty file.
//
// `first_nul`, when given, is set on the way to the offset of the text's first NUL byte, or
// npos when it holds none; it is left as it was when the file could not be created.
TextSaveStatus WriteTextSource(const TextSource& text, const std::filesystem::path& path,
                               bool final_line_break, std::size_t* first_nul = nullptr);

}  // namespace common
