// Shift_JIS for the core from the Unicode of the editors and dialogs, refused with a message when
// a character has no Shift_JIS form, so that nothing is dropped on the way.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "common/messenger.h"

namespace app {

// The bytes of a whole text, or nullopt after `pattern` (a message with %d for the line and %s
// for the character) was shown.
std::optional<std::string> EncodeTextOrTell(const QString& text, std::string_view pattern,
                                            common::Messenger& messenger);

// The bytes of what was typed into one field of a dialog, or nullopt after its refusal.
std::optional<std::string> EncodeEntryOrTell(const QString& entry, common::Messenger& messenger);

}  // namespace app
