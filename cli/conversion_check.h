// The notation check that the page, YMI and NNN conversions run over a ruby file before they
// write anything, as the ruby window does while its check is on.
#pragma once

#include <filesystem>

#include "common/messenger.h"
#include "common/settings.h"
#include "common/text_source.h"

namespace cli {

// Checks `text` from its start, separators allowed, skipping the non-ruby areas of `settings`.
// False after the fault's message (with its logical line), or after a read failure.
[[nodiscard]] bool PassesConversionCheck(const common::TextSource& text,
                                         const std::filesystem::path& file,
                                         const common::Settings& settings,
                                         common::Messenger& messenger);

}  // namespace cli
