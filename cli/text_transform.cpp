// Whole-file transforms: one read, one write, nothing written when the transform refuses.
#include "cli/text_transform.h"

#include <filesystem>

#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/text_file.h"

namespace cli {

CommandResult TransformFile(const CommandEnv& env, const Transform& transform) {
  std::filesystem::path file = env.args.Operands().front();
  common::FileBytes input = common::ReadBinaryFile(file);
  if (!input.ok) {
    TellFailure(env.messenger, messages::kCannotReadFile, {PathText(file)});
    return CommandResult::Failure();
  }
  std::optional<std::string> result = transform(input.bytes);
  if (!result) return CommandResult::Failure();
  const std::string* output = env.args.Last(kOutputOption);
  bool written = output ? ReplaceFile(*output, *result, env.messenger)
                        : WriteOutput(env.out, *result, env.messenger);
  return written ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace cli
