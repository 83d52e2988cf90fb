// Opening and saving the texts of the editing windows: Shift_JIS or UTF-8 on disk, with the line
// ends the file had ("\n" in the editors), so a save gives the file back in the form it was read.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/text_conversion.h"
#include "common/text_encoding.h"
#include "common/view/sjis_codec.h"

namespace common::view {

// Decided by common::DetectEncoding, as the command line decides it.
using common::TextEncoding;
// The form a file is saved in: its encoding and line ends, as common::HasLfLineEnds tells them.
using common::UserEncoding;

struct LoadedText {
  QString text;
  UserEncoding form;  // what a save of the text writes
};

// Reads a text file in the encoding common::DetectEncoding finds, and its line ends; CR LF
// becomes "\n". Bytes that are not Shift_JIS are shown as U+FFFD after a warning. nullopt, after
// a message, when the file cannot be read.
std::optional<LoadedText> LoadTextFile(const std::filesystem::path& path,
                                       common::Messenger& messenger);

// Writes `text` in `form`, CR LF unless it says LF, through common::ReplaceFile, so a failed
// save leaves the previous file as it was (and a read-only one is not saved). A Shift_JIS save
// of a character Shift_JIS cannot hold is refused with a message naming the character and its
// line, and nothing is written. false after a message.
[[nodiscard]] bool SaveTextFile(const std::filesystem::path& path, const QString& text,
                                const UserEncoding& form, common::Messenger& messenger);

// The form of a document whose text comes from elsewhere (a copy of unsaved text): `encoding`,
// with the line ends its file has on disk, or CR LF when there is none.
UserEncoding FormOnDisk(const std::filesystem::path& path, TextEncoding encoding);

// The pure halves of the two above: bytes as they stand on disk <-> editor text.
LoadedText DecodeTextBytes(std::string_view bytes, bool* had_bad_bytes = nullptr);
std::optional<std::string> EncodeTextBytes(const QString& text, const UserEncoding& form,
                                           Unencodable* first_bad = nullptr);

}  // namespace common::view
