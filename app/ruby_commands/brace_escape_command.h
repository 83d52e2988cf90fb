// The brace escape of the main text window ("{ }を退避する(&T)", Shift+F5): literal braces of the
// text become look-alike characters, so that a ruby pass does not read them as ruby groups.
#pragma once

#include <filesystem>
#include <optional>

#include <QString>

#include "common/messenger.h"

namespace app {

// The text with its braces escaped ({漢/かん} → @∈漢/かん@∋, {注} → ∈注∋), which the window then
// sets as an edit of its own. nullopt, after a message naming it, its line and column, when the text
// holds a character Shift_JIS cannot hold: it would not survive the conversion.
std::optional<QString> EscapeBracesOf(const QString& text, const std::filesystem::path& document,
                                      common::Messenger& messenger);

}  // namespace app
