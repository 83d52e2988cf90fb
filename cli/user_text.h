// The edge between the user's texts and the passes: a text file or standard input ("-") is read
// in its own encoding (or the one --encoding names) and handed on in Shift_JIS; what the passes
// write goes back in that encoding, with the text's own line ends.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command.h"
#include "common/text_encoding.h"

namespace cli {

inline constexpr std::string_view kEncodingOption = "--encoding";
inline constexpr std::string_view kStandardStream = "-";

enum class EncodingChoice { kAuto, kShiftJis, kUtf8 };

// "auto", "sjis" or "utf-8" (also "utf8"); nullopt for anything else.
std::optional<EncodingChoice> EncodingChoiceOf(std::string_view value);

struct UserText {
  std::string sjis;  // the text as the passes take it
  common::TextEncoding encoding = common::TextEncoding::kShiftJis;
  bool lf_line_ends = false;
  bool from_standard_input = false;

  // A Shift_JIS file, which the commands read straight from the disk as they always have.
  bool IsPlainShiftJisFile() const {
    return !from_standard_input && encoding == common::TextEncoding::kShiftJis;
  }
  // What a pass wrote (Shift_JIS, CR LF) in the text's encoding and line ends; `text_start`
  // false for a later piece of it.
  std::string ForUser(std::string_view written, bool text_start = true) const;
};

// Gives `written`, a Shift_JIS file a pass wrote, to `sink` in the text's encoding and line
// ends, a piece at a time, so that a large file is never held whole. False when the file
// cannot be read or `sink` fails.
[[nodiscard]] bool ConvertForUser(const std::filesystem::path& written, const UserText& text,
                                  const std::function<bool(std::string_view)>& sink);

// Reads `file` ("-": standard input, after a word on stderr when that is a terminal). nullopt
// after the message: the file cannot be read (`cannot_read`, with its path), or a UTF-8 text
// holds a character Shift_JIS cannot hold (named with its line and column; nothing is written).
// True when `file` is a regular file that the passes can read as it stands (Shift_JIS, by the
// --encoding option or by a look at its bytes), so it need not be read whole first.
bool IsPlainShiftJisFile(const CommandEnv& env, const std::filesystem::path& file);

std::optional<UserText> ReadUserText(const CommandEnv& env, const std::filesystem::path& file,
                                     std::string_view cannot_read);

}  // namespace cli
