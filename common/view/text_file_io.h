// Opening and saving the texts of the editing windows: Shift_JIS or UTF-8 on disk, CR LF on disk,
// "\n" in the editors.
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/view/sjis_codec.h"

namespace common::view {

enum class TextEncoding {
  kShiftJis,
  kUtf8,
  kUtf8WithBom,  // UTF-8 that began with a byte order mark, which a save writes back
};

struct LoadedText {
  QString text;
  TextEncoding encoding = TextEncoding::kShiftJis;
};

// Reads a text file. It is taken as UTF-8 when it is valid UTF-8 and holds non-ASCII text (or
// starts with a byte order mark), else as Shift_JIS; CR LF becomes "\n". Bytes that are not
// Shift_JIS are shown as U+FFFD after a warning. nullopt, after a message, when the file cannot
// be read.
std::optional<LoadedText> LoadTextFile(const std::filesystem::path& path,
                                       common::Messenger& messenger);

// Writes `text` with CR LF line ends through a temporary file renamed into place, so a failed
// save leaves the previous file as it was. A Shift_JIS save of a character Shift_JIS cannot hold
// is refused with a message naming the character and its line, and nothing is written. false
// after a message.
[[nodiscard]] bool SaveTextFile(const std::filesystem::path& path, const QString& text,
                                TextEncoding encoding, common::Messenger& messenger);

// The pure halves of the two above: bytes as they stand on disk <-> editor text.
LoadedText DecodeTextBytes(std::string_view bytes, bool* had_bad_bytes = nullptr);
std::optional<std::string> EncodeTextBytes(const QString& text, TextEncoding encoding,
                                           Unencodable* first_bad = nullptr);

}  // namespace common::view
