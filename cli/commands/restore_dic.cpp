// restore-dic: turns a ruby dictionary back into its dictionary source.
#include <filesystem>
#include <string>

#include "cli/command.h"
#include "cli/command_support.h"
#include "common/status.h"
#include "dictionary/restore.h"

namespace cli {
namespace {

CommandResult RunRestoreDic(const CommandEnv& env) {
  std::filesystem::path dictionary = env.args.Operands().front();
  if (!common::IsOk(dictionary::RunRestoreCommand(dictionary, env.messenger))) {
    return CommandResult::Failure();
  }
  std::string restored = PathText(dictionary::RestoredSourcePath(dictionary)) + "\n";
  return WriteOutput(env.out, restored, env.messenger) ? CommandResult::Success()
                                                       : CommandResult::Failure();
}

}  // namespace

const Command kRestoreDicCommand = {
    "restore-dic",
    "restore-dic DIC",
    "turn a ruby dictionary back into its source (.pre beside it)",
    "The source is written as DIC with the extension .pre, and its path is printed; a\n"
    "previous .pre is kept as .~pre.\n",
    {},
    1,
    1,
    RunRestoreDic,
};

}  // namespace cli
