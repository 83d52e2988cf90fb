// dupcheck: finds the first two neighbouring lines of a dictionary source with the same first
// field.
#include <filesystem>
#include <optional>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/text_file.h"
#include "dictionary/duplicate_check.h"

namespace cli {
namespace {

CommandResult RunDupcheck(const CommandEnv& env) {
  std::filesystem::path file = env.args.Operands().front();
  // The byte position shown counts the file's own bytes, CR included.
  common::FileBytes input = common::ReadBinaryFile(file);
  if (!input.ok) {
    TellCannotRead(env.messenger, messages::kCannotReadFile, file);
    return CommandResult::Failure();
  }
  std::optional<dictionary::DuplicateField> found =
      dictionary::FindDuplicateFirstField(input.bytes);
  if (!found) {
    env.messenger.Tell(dictionary::NoDuplicateMessage());
    return CommandResult::Success();
  }
  env.messenger.Tell(dictionary::DuplicateFoundMessage(*found));
  return CommandResult::Failure();
}

}  // namespace

const Command kDupcheckCommand = {
    "dupcheck",
    "dupcheck FILE",
    "find two neighbouring lines of a dictionary source with the same first field",
    "The first field is the text up to the first comma, or the whole line. Only neighbours\n"
    "are compared, so sort the source first. The status is 0 when no duplicate is found and\n"
    "1 when one is; the message names its byte position, both lines and the field.\n",
    {},
    1,
    1,
    RunDupcheck,
};

}  // namespace cli
