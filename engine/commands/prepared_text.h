// The first working file of a ruby command: the document's text as a text file with CR LF line
// ends and a final line break, written piece by piece from its source.
#pragma once

#include <filesystem>

#include "common/encoding/text_source.h"

namespace engine {

// 1-based line of the first NUL byte of `text`, or 0 when it holds none.
int LineOfFirstNul(const common::TextSource& text);

enum class [[nodiscard]] PreparedTextStatus : int {
  kOk = 1,
  kSourceFailed = -1,  // the text could not be read whole
  kWriteFailed = -2,   // the file could not be created or written whole
};

// Line ends of the source may be CR LF or LF; each becomes one CR LF. A text that does not end
// with a line break gets one. A lone CR is kept, except at the very end, where it is taken as
// the line break.
// `first_nul` as WriteTextSource sets it.
PreparedTextStatus WritePreparedText(const common::TextSource& text,
                                     const std::filesystem::path& path,
                                     std::size_t* first_nul = nullptr);

}  // namespace engine
