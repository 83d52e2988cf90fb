// The preparation that every ruby command begins with: the guards, the notation check that
// also decides HTML mode, and the text saved as the first working file. A front end that asks for
// choices first runs the guards and the check itself, through the same functions, so that no
// dialog opens for a command that cannot run.
#pragma once

#include "common/messenger.h"
#include "common/encoding/text_source.h"
#include "engine/commands/command_chain.h"

namespace engine {

// No ruby window open, and some text; false after the message ("さようなら").
[[nodiscard]] bool PassesGuards(bool ruby_window_open, bool text_empty,
                                common::Messenger& messenger);

// The text holds no NUL byte and its notation is sound; kOk, with the HTML mode the check
// decided in `html_mode` when given. Otherwise the reason, its message already shown: kRefused
// (a NUL byte), kNotationFault (at context.fault_line, else the logical line), kNotPrepared
// (the text could not be read whole).
RubyCommandStatus CheckText(const common::TextSource& text, const RubyCommandContext& context,
                            common::Messenger& messenger, bool* html_mode = nullptr);

// kOk with run.html_mode set and "tempo$$$.$$$" written; otherwise the reason, its message
// already shown: kRefused (a guard, or a text holding a NUL byte), kNotationFault, kNotPrepared.
RubyCommandStatus Prepare(CommandRun& run);

}  // namespace engine
