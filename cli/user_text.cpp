// Reading the user's text and giving the result back in its encoding.
#include "cli/user_text.h"

#include <unistd.h>

#include <cstdint>
#include <iostream>
#include <iterator>

#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/message_format.h"
#include "common/text_file.h"

namespace cli {
namespace {

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

std::string UserText::ForUser(std::string_view written) const {
  std::string text = common::FromShiftJis(written, encoding);
  return lf_line_ends ? common::CrLfToLf(text) : text;
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
    if (!bytes) TellFailure(env.messenger, cannot_read, {shown});
  }
  if (!bytes) return std::nullopt;
  text.encoding = EncodingOf(env, *bytes);
  text.lf_line_ends = common::HasLfLineEnds(*bytes);
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
