// escape-braces: replaces literal braces of a text so that a ruby pass does not take them
// for ruby groups.
#include <filesystem>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/text_file.h"
#include "engine/brace_escape.h"

namespace cli {
namespace {

constexpr std::string_view kOutput = "--output";

constexpr OptionSpec kOptions[] = {
    {kOutput, "-o", ValueKind::kPath, "OUT",
     "write the result to OUT (may be FILE itself) instead of standard output"},
};

CommandResult RunEscapeBraces(const CommandEnv& env) {
  std::filesystem::path file = env.args.Operands().front();
  common::FileBytes input = common::ReadBinaryFile(file);
  if (!input.ok) {
    TellCannotRead(env.messenger, messages::kCannotReadFile, file);
    return CommandResult::Failure();
  }
  std::string escaped = engine::EscapeBraces(input.bytes);
  const std::string* output = env.args.Last(kOutput);
  bool written = output ? ReplaceFile(*output, escaped, env.messenger)
                        : WriteOutput(env.out, escaped, env.messenger);
  return written ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace

const Command kEscapeBracesCommand = {
    "escape-braces",
    "escape-braces FILE [-o OUT]",
    "replace the literal braces of a text before a ruby pass",
    "{漢/かん} becomes @∈漢/かん@∋ and {注} becomes ∈注∋. The Shift_JIS result goes to\n"
    "standard output, or to OUT.\n",
    kOptions,
    1,
    1,
    RunEscapeBraces,
};

}  // namespace cli
