// The edge between the user's files and the passes: a text file or standard input ("-") is read
// in its own encoding (or the one --encoding names) and handed on in Shift_JIS; a file a pass
// writes for it goes back in that encoding, with the text's own line ends, beside the text, to
// -o OUT, or to standard output when the text came from standard input.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command.h"
#include "common/text_conversion.h"
#include "common/text_source.h"

namespace cli {

inline constexpr std::string_view kEncodingOption = "--encoding";
inline constexpr std::string_view kStandardStream = "-";

enum class EncodingChoice { kAuto, kShiftJis, kUtf8 };

// "auto", "sjis" or "utf-8" (also "utf8"); nullopt for anything else.
std::optional<EncodingChoice> EncodingChoiceOf(std::string_view value);

struct UserText {
  std::filesystem::path file;  // as given; "-" for standard input
  common::UserEncoding form;   // of the files written for it
  bool from_standard_input = false;
  // The text as the passes read it: the file itself when it is Shift_JIS, else a Shift_JIS copy
  // in the working folder.
  std::unique_ptr<common::FileTextSource> sjis;

  // A Shift_JIS file, which the commands read and write beside as they always have.
  bool IsPlainShiftJisFile() const {
    return !from_standard_input && form.encoding == common::TextEncoding::kShiftJis;
  }
  // The name of the text in a message.
  std::string ShownName() const;
  // What a pass made of the text (Shift_JIS, CR LF) in the text's encoding and line ends.
  std::string ForUser(std::string_view written) const;
};

// Opens `file` ("-": standard input, after a word on stderr when that is a terminal) for the
// passes; a large text is converted a piece at a time and never held whole. nullopt after the
// message: the file cannot be read (`cannot_read`, with its name), or a UTF-8 text holds a
// character Shift_JIS cannot hold (named with its line and column; nothing is written).
std::optional<UserText> OpenUserText(const CommandEnv& env, const std::filesystem::path& file,
                                     std::string_view cannot_read);

// The whole text in Shift_JIS, for the commands that transform it at once; nullopt after the
// message that it could not be read.
std::optional<std::string> WholeText(const CommandEnv& env, const UserText& text);

// The -o option of the commands that write a file beside their input.
inline constexpr std::string_view kOutputOption = "--output";
inline constexpr OptionSpec kOutputFileOptionSpec = {
    kOutputOption, "-o", ValueKind::kPath, "OUT",
    "write the file to OUT instead of beside FILE (FILE -: instead of standard output)"};

// The document a pass is told it works on, which its file is named after: a Shift_JIS file
// itself, or a stand-in of the same name in the working folder, so that the pass writes nothing
// beside the text that is not yet in its final form (or that goes to -o OUT, or to standard
// output).
std::filesystem::path DocumentOf(const CommandEnv& env, const UserText& text);

// Where a replaced file that says something else is kept; empty where it is simply replaced.
using BackupName = std::function<std::filesystem::path(const std::filesystem::path& file)>;

// Hands the Shift_JIS file a pass wrote for DocumentOf(env, text) to the user: beside the text
// in its form (a previous file there that says something else kept by `backup_name`, as the
// passes keep one beside a Shift_JIS text), or at -o OUT, and its path printed and returned; or
// printed itself for a text from standard input (an empty path). nullopt after a message.
// `written_in_form`: the pass wrote the file in the text's form already (it is handed on as it
// is), rather than in Shift_JIS with CR LF.
[[nodiscard]] std::optional<std::filesystem::path> DeliverWritten(
    const CommandEnv& env, const UserText& text, const std::filesystem::path& written,
    const BackupName& backup_name = {}, bool written_in_form = false);

}  // namespace cli
