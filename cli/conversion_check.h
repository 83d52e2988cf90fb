// The conversions of a ruby file (pages, YMI, NNN) as the command line runs them: the run order
// is the ruby window's own (rubywindow/conversion_run.h); here the input is named and the path
// written is printed.
#pragma once

#include <filesystem>

#include "cli/command.h"
#include "cli/user_text.h"
#include "common/messenger.h"
#include "common/settings.h"
#include "common/text_source.h"
#include "rubywindow/conversion_run.h"

namespace cli {

// The conversion input of `file` with the non-ruby areas of `settings`.
rubywindow::ConversionInput ConversionInputOf(const std::filesystem::path& file,
                                              const common::TextSource& text,
                                              const common::Settings& settings);

// The check before a conversion; false after the fault's message (with its logical line), or
// after the message that the file could not be read.
[[nodiscard]] bool PassesConversionCheck(const common::TextSource& text,
                                         const std::filesystem::path& file,
                                         const common::Settings& settings,
                                         common::Messenger& messenger);

// Success with `written` handed to the user (DeliverWritten); a failure after naming the text
// when it could not be read.
CommandResult FinishConversion(const CommandEnv& env, rubywindow::ConversionStatus status,
                               const UserText& text, const std::filesystem::path& written);

}  // namespace cli
