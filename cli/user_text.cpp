// Handing the user's texts to the jobs and printing what they wrote.
#include "cli/user_text.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <vector>

#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/option_values.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"

namespace cli {
namespace {

namespace fs = std::filesystem;

// The working copy of standard input, as it came.
constexpr std::string_view kStandardInputCopy = "stdin.raw";

constexpr std::size_t kInputPiece = std::size_t{1} << 20;

enum class StdinCopy { kCopied, kFailed, kTooLarge };

// Standard input copied to `copy` a piece at a time, at most `limit` bytes of it; a stream that
// holds more is not copied further and its copy is removed.
StdinCopy CopyStandardInput(const fs::path& copy, std::uint64_t limit, std::ostream& err_hint) {
  if (::isatty(STDIN_FILENO)) {
    err_hint << common::FormatMessage(messages::kReadingTerminal, {messages::kProgramName});
    err_hint.flush();
  }
  std::FILE* out = std::fopen(copy.c_str(), "wb");
  if (out == nullptr) return StdinCopy::kFailed;
  std::vector<char> buffer(kInputPiece);
  bool written = true;
  std::uint64_t total = 0;
  while (written && total <= limit && std::cin) {
    std::cin.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    auto count = static_cast<std::size_t>(std::cin.gcount());
    total += count;
    written = total > limit || std::fwrite(buffer.data(), 1, count, out) == count;
  }
  // A working copy: nothing is lost if a crash takes it, so it is not waited onto the disk.
  bool closed = std::fclose(out) == 0;
  if (total > limit) {
    common::RemoveFile(copy);
    return StdinCopy::kTooLarge;
  }
  return written && closed && !std::cin.bad() ? StdinCopy::kCopied : StdinCopy::kFailed;
}

}  // namespace

std::optional<EncodingChoice> EncodingChoiceOf(std::string_view value) {
  if (value == "auto") return EncodingChoice::kAuto;
  if (value == "sjis" || value == "shift_jis") return EncodingChoice::kShiftJis;
  if (value == "utf-8" || value == "utf8") return EncodingChoice::kUtf8;
  return std::nullopt;
}

std::optional<UserText> OpenUserText(const CommandEnv& env, const fs::path& file,
                                     std::string_view cannot_read) {
  jobs::GivenText given{.file = file,
                        .bytes = file,
                        .from_stream = file == kStandardStream,
                        .encoding = EncodingChoice::kAuto,
                        .cannot_read = cannot_read,
                        .broken_utf8 = messages::kBrokenUtf8};
  if (const std::string* chosen = env.args.Last(kEncodingOption)) {
    given.encoding = EncodingChoiceOf(*chosen).value_or(EncodingChoice::kAuto);
  }
  if (given.from_stream) {
    given.bytes = env.work.File(kStandardInputCopy);
    std::string unused;
    std::uint64_t limit =
        ByteSizeOption(env.args, kStdinLimitOption, kDefaultStdinLimit, unused).value_or(0);
    switch (CopyStandardInput(given.bytes, limit, std::cerr)) {
      case StdinCopy::kCopied:
        break;
      case StdinCopy::kFailed:
        TellFailure(env.messenger, messages::kCannotReadInput, {});
        return std::nullopt;
      case StdinCopy::kTooLarge:
        TellFailure(env.messenger, messages::kStandardInputTooLarge,
                    {static_cast<std::int64_t>(limit)});
        return std::nullopt;
    }
  }
  return jobs::OpenGivenText(given, env.work, env.messenger);
}

std::optional<std::string> WholeText(const CommandEnv& env, const UserText& text) {
  return jobs::WholeText(text, env.messenger);
}

jobs::Destination DestinationOf(const CommandEnv& env) {
  jobs::Destination destination;
  if (const std::string* output = env.args.Last(kOutputOption)) destination.output = *output;
  destination.stream = [&env](std::string_view piece) {
    return WriteOutput(env.out, piece, env.messenger);
  };
  return destination;
}

bool PrintWritten(const CommandEnv& env, const jobs::JobResult& result) {
  if (!result.ok) return false;
  if (result.file.empty()) return true;
  return WriteOutput(env.out, PathText(result.file) + "\n", env.messenger);
}

}  // namespace cli
