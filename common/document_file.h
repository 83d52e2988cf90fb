// The documents of the editing windows on disk: how a file's bytes become the text a window
// edits (UTF-8 with "\n" line ends) and back. The encoding is the one DetectEncoding finds, the
// line ends those the file had, so a save gives the file back in the form it was read; a save
// goes through ReplaceFile, so a failed one leaves the previous file as it was.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/messenger.h"
#include "common/text_conversion.h"
#include "common/text_encoding.h"

namespace common {

struct DocumentText {
  std::string utf8;            // "\n" line ends
  UserEncoding form;           // what a save of the text writes
  bool had_bad_bytes = false;  // bytes that are not Shift_JIS (or not UTF-8 after a mark)
};

// A Shift_JIS file's bytes that are not Shift_JIS become U+FFFD; a UTF-8 file's mark is
// dropped, its bytes left as they are.
DocumentText DecodeDocument(std::string_view bytes);
// nullopt for a Shift_JIS form of a character Shift_JIS cannot hold; `bad`, when given, then
// names the first one, its line and column.
std::optional<std::string> EncodeDocument(std::string_view utf8, const UserEncoding& form,
                                          UnencodableCharacter* bad = nullptr);

// The two above on a file, nullopt or false after a message: the file cannot be read, cannot
// be written, or holds a character its form cannot hold (nothing is written then). A file
// read with bad bytes is read, after a warning. A file that is UTF-8 but for a few broken bytes
// is first asked about: opened as UTF-8 (each broken byte becomes U+FFFD), as Shift_JIS, or not
// at all (nullopt).
std::optional<DocumentText> LoadDocument(const std::filesystem::path& path, Messenger& messenger);
[[nodiscard]] bool SaveDocument(const std::filesystem::path& path, std::string_view utf8,
                                const UserEncoding& form, Messenger& messenger);

// The form of a document whose text comes from elsewhere (a copy of unsaved text): `encoding`,
// with the line ends its file has on disk, or CR LF when there is none.
UserEncoding FormOnDisk(const std::filesystem::path& path, TextEncoding encoding);

}  // namespace common
