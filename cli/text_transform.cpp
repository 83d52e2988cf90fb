// Whole-file transforms: one read, one write, nothing written when the transform refuses.
#include "cli/text_transform.h"

#include <filesystem>

#include "cli/command_support.h"
#include "cli/messages.h"
#include "cli/user_text.h"

namespace cli {

CommandResult TransformFile(const CommandEnv& env, const Transform& transform,
                            std::string_view cannot_read) {
  std::filesystem::path file = env.args.Operands().front();
  std::optional<UserText> input = OpenUserText(env, file, cannot_read);
  if (!input) return CommandResult::Failure();
  std::optional<std::string> text = WholeText(env, *input);
  if (!text) return CommandResult::Failure();
  input->sjis.reset();  // the output may be the file itself
  std::optional<std::string> result = transform(*text);
  if (!result) return CommandResult::Failure();
  // A Shift_JIS file's result is written as the transform made it, as it always was.
  std::string bytes = input->IsPlainShiftJisFile() ? *std::move(result) : input->ForUser(*result);
  const std::string* output = env.args.Last(kOutputOption);
  bool written = output ? ReplaceFile(*output, bytes, env.messenger)
                        : WriteOutput(env.out, bytes, env.messenger);
  return written ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace cli
