// Reading the user's text and giving the result back in its encoding.
#include "cli/user_text.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/message_format.h"
#include "common/sjis.h"
#include "common/text_file.h"

namespace cli {
namespace {

constexpr std::size_t kConversionPiece = std::size_t{1} << 20;

std::optional<std::string> ReadStandardInput(std::ostream& err_hint) {
  if (::isatty(STDIN_FILENO)) {
    err_hint << common::FormatMessage(messages::kReadingTerminal, {messages::kProgramName});
    err_hint.flush();
  }
  std::string bytes{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
  if (std::cin.bad()) return std::nullopt;
  return bytes;
}

common::TextEncoding EncodingOf(const CommandEnv& env, std::string_view bytes) {
  const std::string* given = env.args.Last(kEncodingOption);
  std::optional<EncodingChoice> choice =
      given ? EncodingChoiceOf(*given) : std::optional(EncodingChoice::kAuto);
  common::TextEncoding detected = common::DetectEncoding(bytes);
  switch (choice.value_or(EncodingChoice::kAuto)) {
    case EncodingChoice::kShiftJis:
      return common::TextEncoding::kShiftJis;
    case EncodingChoice::kUtf8:
      return detected == common::TextEncoding::kUtf8WithBom ? detected
                                                            : common::TextEncoding::kUtf8;
    case EncodingChoice::kAuto:
      break;
  }
  return detected;
}

}  // namespace

std::optional<EncodingChoice> EncodingChoiceOf(std::string_view value) {
  if (value == "auto") return EncodingChoice::kAuto;
  if (value == "sjis" || value == "shift_jis") return EncodingChoice::kShiftJis;
  if (value == "utf-8" || value == "utf8") return EncodingChoice::kUtf8;
  return std::nullopt;
}

std::string UserText::ForUser(std::string_view written, bool text_start) const {
  // The byte-order mark stands once, before the first piece.
  common::TextEncoding piece_encoding =
      encoding == common::TextEncoding::kUtf8WithBom && !text_start ? common::TextEncoding::kUtf8
                                                                    : encoding;
  std::string text = common::FromShiftJis(written, piece_encoding);
  return lf_line_ends ? common::CrLfToLf(text) : text;
}

bool ConvertForUser(const std::filesystem::path& written, const UserText& text,
                    const std::function<bool(std::string_view)>& sink) {
  std::ifstream in(written, std::ios::binary);
  if (!in) return false;
  std::string piece;
  std::vector<char> buffer(kConversionPiece);
  bool text_start = true;
  while (true) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    std::size_t read = static_cast<std::size_t>(in.gcount());
    bool last = read < buffer.size();
    piece.append(buffer.data(), read);
    // A piece never ends inside a double-byte character or between the CR and LF of a line end.
    std::size_t cut = piece.size();
    if (!last && !common::IsCharacterStart(piece, 0, cut)) --cut;
    if (!last && cut > 0 && piece[cut - 1] == '\r') --cut;
    if (cut > 0 && !sink(text.ForUser(std::string_view(piece).substr(0, cut), text_start))) {
      return false;
    }
    if (cut > 0) text_start = false;
    piece.erase(0, cut);
    if (last) break;
  }
  return !in.bad();
}

bool IsPlainShiftJisFile(const CommandEnv& env, const std::filesystem::path& file) {
  std::error_code error;
  if (file == kStandardStream || !std::filesystem::is_regular_file(file, error)) return false;
  const std::string* given = env.args.Last(kEncodingOption);
  std::optional<EncodingChoice> choice =
      given ? EncodingChoiceOf(*given) : std::optional(EncodingChoice::kAuto);
  if (choice == EncodingChoice::kShiftJis) return true;
  if (choice == EncodingChoice::kUtf8) return false;
  return common::DetectFileEncoding(file) == common::TextEncoding::kShiftJis;
}

std::optional<UserText> ReadUserText(const CommandEnv& env, const std::filesystem::path& file,
                                     std::string_view cannot_read) {
  UserText text;
  text.from_standard_input = file == kStandardStream;
  std::string shown =
      text.from_standard_input ? std::string(messages::kStandardInputName) : PathText(file);
  std::optional<std::string> bytes;
  if (text.from_standard_input) {
    bytes = ReadStandardInput(std::cerr);
    if (!bytes) TellFailure(env.messenger, messages::kCannotReadInput, {});
  } else {
    common::FileBytes read = common::ReadBinaryFile(file);
    if (read.ok) bytes = std::move(read.bytes);
    if (!bytes) TellCannotRead(env.messenger, cannot_read, file);
  }
  if (!bytes) return std::nullopt;
  text.encoding = EncodingOf(env, *bytes);
  text.lf_line_ends = common::HasLfLineEnds(*bytes);
  if (text.encoding == common::TextEncoding::kShiftJis) {
    text.sjis = *std::move(bytes);  // already what the passes read: no second copy
    return text;
  }
  common::UnencodableCharacter bad;
  std::optional<std::string> sjis = common::ToShiftJis(*bytes, text.encoding, &bad);
  if (!sjis) {
    TellFailure(env.messenger, messages::kUnencodable,
                {shown, std::int64_t{bad.line}, std::int64_t{bad.column}, bad.character});
    return std::nullopt;
  }
  text.sjis = *std::move(sjis);
  return text;
}

}  // namespace cli
