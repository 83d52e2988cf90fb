// The preparation that every ruby command begins with: the guards, the notation check that
// also decides HTML mode, and the text saved as the first working file.
#pragma once

#include "engine/command_chain.h"

namespace engine {

// kOk with run.html_mode set and "tempo$$$.$$$" written; otherwise the reason, its message
// already shown: kRefused (a guard, or a text holding a NUL byte), kNotationFault, kNotPrepared.
RubyCommandStatus Prepare(CommandRun& run);

}  // namespace engine
