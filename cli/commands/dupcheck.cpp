// dupcheck: finds the first two neighbouring lines of a dictionary source with the same first
// field.
#include <filesystem>
#include <optional>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/user_text.h"
#include "dictionary/duplicate_check.h"

namespace cli {
namespace {

CommandResult RunDupcheck(const CommandEnv& env) {
  std::optional<UserText> input =
      OpenUserText(env, env.args.Operands().front(), messages::kCannotReadFile);
  if (!input) return CommandResult::Failure();
  std::optional<std::string> text = WholeText(env, *input);
  if (!text) return CommandResult::Failure();
  std::optional<dictionary::DuplicateField> found = dictionary::FindDuplicateFirstField(*text);
  // The byte position shown counts the file's own bytes, CR (and a UTF-8 text's mark) included.
  if (found && !input->IsPlainShiftJisFile()) {
    found->byte_position =
        input->ForUser(std::string_view(*text).substr(0, found->byte_position)).size();
  }
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
    "1 when one is; the message names its byte position, both lines and the field. FILE may\n"
    "be Shift_JIS or UTF-8, or - for standard input.\n",
    {},
    1,
    1,
    RunDupcheck,
};

}  // namespace cli
