// Opening and saving the texts of the editing windows: common::LoadDocument and
// common::SaveDocument decide the encoding and line ends; here the text becomes the editor's.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>

#include "common/documents/document_file.h"
#include "common/messenger.h"
#include "common/encoding/text_conversion.h"
#include "common/encoding/text_encoding.h"

namespace common::view {

using common::TextEncoding;
// The form a file is saved in: its encoding and line ends.
using common::UserEncoding;
using common::FormOnDisk;

struct LoadedText {
  QString text;
  UserEncoding form;  // what a save of the text writes
};

// The file's text with "\n" line ends; bytes that are not Shift_JIS are shown as U+FFFD after a
// warning. nullopt, after a message, when the file cannot be read.
std::optional<LoadedText> LoadTextFile(const std::filesystem::path& path,
                                       common::Messenger& messenger);

// Writes `text` in `form`; false after a message (see common::SaveDocument).
[[nodiscard]] bool SaveTextFile(const std::filesystem::path& path, const QString& text,
                                const UserEncoding& form, common::Messenger& messenger);

}  // namespace common::view
