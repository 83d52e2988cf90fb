// Opening and saving the texts of the editing windows: Shift_JIS or UTF-8 on disk, CR LF on disk,
// "\n" in the editors.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/text_encoding.h"
#include "common/view/sjis_codec.h"

namespace common::view {

// Decided by common::DetectEncoding, as the command line decides it.
using common::TextEncoding;

struct LoadedText {
  QString text;
  TextEncoding encoding = TextEncoding::kShiftJis;
};

// Reads a text file in the encoding common::DetectEncoding finds; CR LF becomes "\n". Bytes that are not
// Shift_JIS are shown as U+FFFD after a warning. nullopt, after a message, when the file cannot
// be read.
std::optional<LoadedText> LoadTextFile(const std::filesystem::path& path,
                                       common::Messenger& messenger);

// Writes `text` with CR LF line ends through common::ReplaceFile, so a failed save leaves the
// previous file as it was (and a read-only one is not saved). A Shift_JIS save of a character Shift_JIS cannot hold
// is refused with a message naming the character and its line, and nothing is written. false
// after a message.
[[nodiscard]] bool SaveTextFile(const std::filesystem::path& path, const QString& text,
                                TextEncoding encoding, common::Messenger& messenger);

// The pure halves of the two above: bytes as they stand on disk <-> editor text.
LoadedText DecodeTextBytes(std::string_view bytes, bool* had_bad_bytes = nullptr);
std::optional<std::string> EncodeTextBytes(const QString& text, TextEncoding encoding,
                                           Unencodable* first_bad = nullptr);

}  // namespace common::view
