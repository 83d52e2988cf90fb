// The edge between the user's files and the jobs: a text file or standard input ("-") is handed
// to the job layer (jobs/job_text.h) in its own encoding (or the one --encoding names); what a
// job writes for it goes beside the text, to -o OUT, or to standard output when the text came
// from standard input, and its path is printed.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "cli/command.h"
#include "jobs/delivery.h"
#include "jobs/job_text.h"

namespace cli {

inline constexpr std::string_view kEncodingOption = "--encoding";
inline constexpr std::string_view kStandardStream = "-";
// How much of standard input a run copies at most (bytes; K, M, G allowed): more is refused, so
// that an endless stream cannot fill the disk.
inline constexpr std::string_view kStdinLimitOption = "--stdin-limit";
inline constexpr std::uint64_t kDefaultStdinLimit = std::uint64_t{1} << 30;

using jobs::EncodingChoice;
using UserText = jobs::JobText;

// "auto", "sjis" or "utf-8" (also "utf8"); nullopt for anything else.
std::optional<EncodingChoice> EncodingChoiceOf(std::string_view value);

// Opens `file` ("-": standard input, after a word on stderr when that is a terminal) for the
// jobs. nullopt after the message: the file cannot be read (`cannot_read`, with its name),
// standard input holds more than --stdin-limit, or a
// UTF-8 text holds a character Shift_JIS cannot hold (named with its line and column; nothing is
// written).
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

// Where a job's file goes: -o OUT, else beside the text, or standard output for a text from
// standard input.
jobs::Destination DestinationOf(const CommandEnv& env);

// Prints the path of the file a job wrote (nothing for one that went to standard output);
// false when the job failed or the path cannot be printed.
[[nodiscard]] bool PrintWritten(const CommandEnv& env, const jobs::JobResult& result);

}  // namespace cli
