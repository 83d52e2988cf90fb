// Whole-file transforms from the command line: the job of jobs/transform_job.h on the operand.
#include "cli/text_transform.h"

#include "cli/user_text.h"
#include "jobs/transform_job.h"

namespace cli {

CommandResult TransformFile(const CommandEnv& env, const Transform& transform,
                            std::string_view cannot_read) {
  std::optional<UserText> input = OpenUserText(env, env.args.Operands().front(), cannot_read);
  if (!input) return CommandResult::Failure();
  jobs::JobResult result =
      jobs::RunTransformJob(*input, DestinationOf(env), transform, env.messenger);
  return result.ok ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace cli
