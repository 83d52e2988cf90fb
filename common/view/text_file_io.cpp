// Text files of the editing windows: decoding, line ends and a save that never leaves half a file.
#include "common/view/text_file_io.h"

#include <cstdint>

#include "common/file_replace.h"
#include "common/file_system.h"
#include "common/message_format.h"
#include "common/messages.h"
#include "common/text_file.h"
#include "common/view/messages.h"

namespace common::view {
namespace {

namespace fs = std::filesystem;

QString FromUtf8(std::string_view bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The editor's lines end in "\n"; the file's as its form says.
std::string WithLineEnds(std::string_view text, const UserEncoding& form) {
  return form.lf_line_ends ? std::string(text) : LfToCrLf(text);
}

}  // namespace

LoadedText DecodeTextBytes(std::string_view bytes, bool* had_bad_bytes) {
  if (had_bad_bytes != nullptr) *had_bad_bytes = false;
  const bool lf_line_ends = HasLfLineEnds(bytes);
  std::string text = CrLfToLf(bytes);
  std::string_view view = text;
  switch (TextEncoding encoding = DetectEncoding(view)) {
    case TextEncoding::kUtf8WithBom:
      view.remove_prefix(kUtf8Bom.size());
      if (!IsValidUtf8(view) && had_bad_bytes != nullptr) *had_bad_bytes = true;
      [[fallthrough]];
    case TextEncoding::kUtf8:
      return {FromUtf8(view), {encoding, lf_line_ends}};
    case TextEncoding::kShiftJis:
      break;
  }
  const UserEncoding form{TextEncoding::kShiftJis, lf_line_ends};
  if (std::optional<QString> decoded = DecodeSjisExact(view)) return {*decoded, form};
  if (had_bad_bytes != nullptr) *had_bad_bytes = true;
  return {DecodeSjis(view), form};
}

std::optional<std::string> EncodeTextBytes(const QString& text, const UserEncoding& form,
                                           Unencodable* first_bad) {
  if (form.encoding == TextEncoding::kShiftJis) {
    std::optional<std::string> bytes = EncodeSjis(text, first_bad);
    if (!bytes) return std::nullopt;
    return WithLineEnds(*bytes, form);
  }
  QByteArray utf8 = text.toUtf8();
  std::string bytes = WithLineEnds(std::string_view(utf8.data(), utf8.size()), form);
  if (form.encoding == TextEncoding::kUtf8WithBom) bytes.insert(0, kUtf8Bom);
  return bytes;
}

std::optional<LoadedText> LoadTextFile(const fs::path& path, common::Messenger& messenger) {
  FileBytes file = ReadBinaryFile(path);
  if (!file.ok) {
    messenger.Tell({std::string(kTitleWarning), FormatMessage(kCannotRead, {path.string()}),
                    common::Icon::kWarning});
    return std::nullopt;
  }
  bool had_bad_bytes = false;
  LoadedText loaded = DecodeTextBytes(file.bytes, &had_bad_bytes);
  if (had_bad_bytes) {
    messenger.Tell({std::string(kTitleCaution), FormatMessage(kNotShiftJis, {path.string()}),
                    common::Icon::kWarning});
  }
  return loaded;
}

UserEncoding FormOnDisk(const fs::path& path, TextEncoding encoding) {
  if (!path.is_absolute()) return {encoding};  // a new document's name: no file of its own yet
  FileBytes file = ReadBinaryFile(path);
  return {encoding, file.ok && HasLfLineEnds(file.bytes)};
}

bool SaveTextFile(const fs::path& path, const QString& text, const UserEncoding& form,
                  common::Messenger& messenger) {
  std::optional<std::string> bytes = EncodeTextBytes(text, form);
  if (!bytes) {
    // Named in the words of every other refusal: the file, the line and column, the character.
    UnencodableCharacter bad;
    static_cast<void>(ToShiftJis(text.toStdString(), TextEncoding::kUtf8, &bad));
    messenger.Tell({std::string(kTitleCaution),
                    FormatMessage(messages::kUnencodable,
                                  {path.string(), std::int64_t{bad.line}, std::int64_t{bad.column},
                                   bad.character}),
                    common::Icon::kWarning});
    return false;
  }
  if (ReplaceFile(path, *bytes) != ReplaceStatus::kOk) {
    messenger.Tell({std::string(kTitleWarning), FormatMessage(kCannotWrite, {path.string()}),
                    common::Icon::kWarning});
    return false;
  }
  return true;
}

}  // namespace common::view
