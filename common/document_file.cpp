// The editing windows' documents: decoding, line ends and a save that never leaves half a file.
#include "common/document_file.h"

#include <cstdint>

#include "common/cp932.h"
#include "common/file_replace.h"
#include "common/message_format.h"
#include "common/messages.h"
#include "common/text_file.h"
#include "common/text_source.h"

namespace common {

namespace fs = std::filesystem;

DocumentText DecodeDocument(std::string_view bytes) {
  const bool lf_line_ends = HasLfLineEnds(bytes);
  std::string text = CrLfToLf(bytes);
  std::string_view view = text;
  switch (TextEncoding encoding = DetectEncoding(view)) {
    case TextEncoding::kUtf8WithBom:
      view.remove_prefix(kUtf8Bom.size());
      return {std::string(view), {encoding, lf_line_ends}, !IsValidUtf8(view)};
    case TextEncoding::kUtf8:
      return {std::move(text), {encoding, lf_line_ends}};
    case TextEncoding::kShiftJis:
      break;
  }
  const UserEncoding form{TextEncoding::kShiftJis, lf_line_ends};
  if (std::optional<std::string> utf8 = Cp932ToUtf8(view)) return {std::move(*utf8), form};
  return {Cp932ToUtf8Lossy(view), form, true};
}

std::optional<std::string> EncodeDocument(std::string_view utf8, const UserEncoding& form,
                                          UnencodableCharacter* bad) {
  std::string bytes;
  if (form.encoding == TextEncoding::kShiftJis) {
    std::optional<std::string> sjis = Utf8ToCp932(utf8);
    if (!sjis) {
      if (bad != nullptr) static_cast<void>(ToShiftJis(utf8, TextEncoding::kUtf8, bad));
      return std::nullopt;
    }
    bytes = std::move(*sjis);
  } else {
    bytes = utf8;
  }
  if (!form.lf_line_ends) bytes = LfToCrLf(bytes);
  if (form.encoding == TextEncoding::kUtf8WithBom) bytes.insert(0, kUtf8Bom);
  return bytes;
}

namespace {

enum class BrokenUtf8Choice { kNone, kUtf8, kShiftJis, kCancel };

// UTF-8 with each byte that starts no well-formed sequence replaced by U+FFFD.
std::string MendedUtf8(std::string_view bytes) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  std::string mended;
  mended.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    if (std::size_t length = Utf8SequenceLength(bytes, at)) {
      mended.append(bytes.substr(at, length));
      at += length;
    } else {
      mended.append(kReplacement);
      ++at;
    }
  }
  return mended;
}

// A file the guess takes for Shift_JIS is asked about when it is UTF-8 but for a few broken
// bytes (the command line's test, common::FindBrokenUtf8): read as Shift_JIS it would show
// garbled text, so the person chooses, told where the first break is.
BrokenUtf8Choice AskAboutBrokenUtf8(const fs::path& path, std::string_view bytes,
                                    Messenger& messenger) {
  if (DetectEncoding(bytes) != TextEncoding::kShiftJis) return BrokenUtf8Choice::kNone;
  StringTextSource source(bytes);
  std::optional<BrokenUtf8> broken = FindBrokenUtf8(source);
  if (!broken || !broken->mostly_utf8) return BrokenUtf8Choice::kNone;
  Message question{
      std::string(messages::kTitleCaution),
      FormatMessage(messages::kBrokenUtf8Document,
                    {path.string(), static_cast<std::int64_t>(broken->line),
                     static_cast<std::int64_t>(broken->offset + 1), HexBytes(broken->bytes)}),
      Icon::kWarning};
  switch (messenger.Ask(question, Buttons::kYesNoCancel)) {
    case Answer::kYes:
      return BrokenUtf8Choice::kUtf8;
    case Answer::kNo:
      return BrokenUtf8Choice::kShiftJis;
    default:
      return BrokenUtf8Choice::kCancel;
  }
}

}  // namespace

std::optional<DocumentText> LoadDocument(const fs::path& path, Messenger& messenger) {
  FileBytes file = ReadBinaryFile(path);
  if (!file.ok) {
    messenger.Tell({std::string(messages::kTitleWarning),
                    FormatMessage(messages::kCannotReadDocument, {path.string()}), Icon::kWarning});
    return std::nullopt;
  }
  switch (AskAboutBrokenUtf8(path, file.bytes, messenger)) {
    case BrokenUtf8Choice::kCancel:
      return std::nullopt;
    case BrokenUtf8Choice::kUtf8:
      return DocumentText{
          MendedUtf8(CrLfToLf(file.bytes)), {TextEncoding::kUtf8, HasLfLineEnds(file.bytes)}, true};
    case BrokenUtf8Choice::kShiftJis:
    case BrokenUtf8Choice::kNone:
      break;
  }
  DocumentText text = DecodeDocument(file.bytes);
  if (text.had_bad_bytes) {
    messenger.Tell({std::string(messages::kTitleCaution),
                    FormatMessage(messages::kNotShiftJis, {path.string()}), Icon::kWarning});
  }
  return text;
}

bool SaveDocument(const fs::path& path, std::string_view utf8, const UserEncoding& form,
                  Messenger& messenger) {
  UnencodableCharacter bad;
  std::optional<std::string> bytes = EncodeDocument(utf8, form, &bad);
  if (!bytes) {
    // Named in the words of every other refusal: the file, the line and column, the character.
    messenger.Tell({std::string(messages::kTitleCaution),
                    FormatMessage(messages::kUnencodable,
                                  {path.string(), std::int64_t{bad.line}, std::int64_t{bad.column},
                                   bad.character}),
                    Icon::kWarning});
    return false;
  }
  if (ReplaceFile(path, *bytes) != ReplaceStatus::kOk) {
    messenger.Tell({std::string(messages::kTitleWarning),
                    FormatMessage(messages::kCannotWriteDocument, {path.string()}),
                    Icon::kWarning});
    return false;
  }
  return true;
}

UserEncoding FormOnDisk(const fs::path& path, TextEncoding encoding) {
  if (!path.is_absolute()) return {encoding};  // a new document's name: no file of its own yet
  FileBytes file = ReadBinaryFile(path);
  return {encoding, file.ok && HasLfLineEnds(file.bytes)};
}

}  // namespace common
