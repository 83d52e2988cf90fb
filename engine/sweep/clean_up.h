// The clean-up step at the end of a dictionary run: merges group ruby and removes the control
// markers, so that none of them reaches a ruby file.
#pragma once

#include "common/encoding/text_file.h"
#include "common/platform/working_files.h"
#include "engine/byte_stream.h"

namespace engine {

enum class [[nodiscard]] CleanUpStatus : int {
  kOk = 1,
  kInputFailed = -24,   // "user_.$rb" could not be opened or read
  kOutputFailed = -25,  // "shori_.$rb" could not be opened or written
};

// Streams `in` to `out`: "/}{" is dropped, so {今/}{日/きょう} becomes {今日/きょう};
// the area markers 0x11 and 0x12 are dropped, and in HTML mode the body-start marker too.
void CleanUp(bool html_mode, ByteSource& in, ByteSink& out);
void CleanUp(bool html_mode, common::TextReader& in, common::TextWriter& out);

// Reads "user_.$rb" and writes "shori_.$rb" in `work`. Shows no message.
CleanUpStatus RunCleanUp(const common::WorkDir& work, bool html_mode);

}  // namespace engine
