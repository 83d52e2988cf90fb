// Text files of the editing windows: decoding, line ends and a save that never leaves half a file.
#include "common/view/text_file_io.h"

#include <QStringDecoder>
#include <cstdint>

#include "common/file_system.h"
#include "common/message_format.h"
#include "common/text_file.h"
#include "common/view/messages.h"

namespace common::view {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string WithoutCarriageReturns(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    out += bytes[i];
  }
  return out;
}

std::string WithCarriageReturns(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 16);
  for (char byte : bytes) {
    if (byte == '\n') out += '\r';
    out += byte;
  }
  return out;
}

bool HasNonAscii(std::string_view bytes) {
  for (char byte : bytes) {
    if (static_cast<unsigned char>(byte) >= 0x80) return true;
  }
  return false;
}

// nullopt when `bytes` are not well-formed UTF-8.
std::optional<QString> StrictUtf8(std::string_view bytes) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (decoder.hasError()) return std::nullopt;
  return text;
}

// Writes through a temporary sibling that takes the place of the file only when complete. A
// link is followed, so the file it names is saved and the link stays; the file keeps its
// permissions.
bool WriteInPlace(const fs::path& path, std::string_view bytes) {
  std::error_code error;
  fs::path target = path;
  if (fs::symlink_status(path, error).type() == fs::file_type::symlink) {
    target = fs::weakly_canonical(path, error);
    if (error) return false;
  }
  fs::path temporary = TemporarySibling(target);
  bool ok = WriteFileSynced(temporary, bytes) == WriteOutcome::kWritten;
  fs::file_status existing = fs::status(target, error);
  if (ok && fs::exists(existing)) {
    fs::permissions(temporary, existing.permissions(), error);  // best effort
  }
  ok = ok && RenameFile(temporary, target);
  if (!ok) RemoveFile(temporary);
  return ok;
}

}  // namespace

LoadedText DecodeTextBytes(std::string_view bytes, bool* had_bad_bytes) {
  if (had_bad_bytes != nullptr) *had_bad_bytes = false;
  std::string text = WithoutCarriageReturns(bytes);
  std::string_view view = text;
  if (view.starts_with(kUtf8Bom)) {
    view.remove_prefix(kUtf8Bom.size());
    std::optional<QString> decoded = StrictUtf8(view);
    if (!decoded && had_bad_bytes != nullptr) *had_bad_bytes = true;
    QString shown =
        decoded ? *decoded : QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
    return {shown, TextEncoding::kUtf8WithBom};
  }
  if (HasNonAscii(view)) {
    if (std::optional<QString> decoded = StrictUtf8(view)) return {*decoded, TextEncoding::kUtf8};
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
    return WithCarriageReturns(*bytes);
  }
  QByteArray utf8 = text.toUtf8();
  std::string bytes = WithCarriageReturns(std::string_view(utf8.data(), utf8.size()));
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
  Unencodable bad;
  std::optional<std::string> bytes = EncodeTextBytes(text, encoding, &bad);
  if (!bytes) {
    messenger.Tell({std::string(kTitleCaution),
                    FormatMessage(kUnencodableNotSaved,
                                  {DescribeCharacter(bad.character), std::int64_t{bad.line}}),
                    common::Icon::kWarning});
    return false;
  }
  if (!WriteInPlace(path, *bytes)) {
    messenger.Tell({std::string(kTitleWarning), FormatMessage(kCannotWrite, {path.string()}),
                    common::Icon::kWarning});
    return false;
  }
  return true;
}

}  // namespace common::view
