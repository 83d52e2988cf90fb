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

}  // namespace

LoadedText DecodeTextBytes(std::string_view bytes, bool* had_bad_bytes) {
  if (had_bad_bytes != nullptr) *had_bad_bytes = false;
  std::string text = CrLfToLf(bytes);
  std::string_view view = text;
  switch (DetectEncoding(view)) {
    case TextEncoding::kUtf8WithBom:
      view.remove_prefix(kUtf8Bom.size());
      if (!IsValidUtf8(view) && had_bad_bytes != nullptr) *had_bad_bytes = true;
      return {FromUtf8(view), TextEncoding::kUtf8WithBom};
    case TextEncoding::kUtf8:
      return {FromUtf8(view), TextEncoding::kUtf8};
    case TextEncoding::kShiftJis:
      break;
  }
  if (std::optional<QString> decoded = DecodeSjisExact(view)) {
    return {*decoded, TextEncoding::kShiftJis};
  }
  if (had_bad_bytes != nullptr) *had_bad_bytes = true;
  return {DecodeSjis(view), TextEncoding::kShiftJis};
}

std::optional<std::string> EncodeTextBytes(const QString& text, TextEncoding encoding,
                                           Unencodable* first_bad) {
  if (encoding == TextEncoding::kShiftJis) {
    std::optional<std::string> bytes = EncodeSjis(text, first_bad);
    if (!bytes) return std::nullopt;
    return LfToCrLf(*bytes);
  }
  QByteArray utf8 = text.toUtf8();
  std::string bytes = LfToCrLf(std::string_view(utf8.data(), utf8.size()));
  if (encoding == TextEncoding::kUtf8WithBom) bytes.insert(0, kUtf8Bom);
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

bool SaveTextFile(const fs::path& path, const QString& text, TextEncoding encoding,
                  common::Messenger& messenger) {
  std::optional<std::string> bytes = EncodeTextBytes(text, encoding);
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
