// Shift_JIS for the core from the Unicode of the editors and dialogs, refused with a message when
// a character has no Shift_JIS form, so that nothing is dropped on the way.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "common/messenger.h"

namespace app {

// The bytes of a whole text of `document`, or nullopt after the one message of every front end
// (jobs::TellUnencodable) named the first character Shift_JIS cannot hold, its line and column.
std::optional<std::string> EncodeTextOrTell(const QString& text,
                                            const std::filesystem::path& document,
                                            common::Messenger& messenger);

// The bytes of what was typed into one field of a dialog, or nullopt after its refusal.
std::optional<std::string> EncodeEntryOrTell(const QString& entry, common::Messenger& messenger);

}  // namespace app
