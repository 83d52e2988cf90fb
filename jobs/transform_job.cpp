// Whole-text transforms: one read, one write, nothing written when the transform refuses.
#include "jobs/transform_job.h"

#include "common/file_replace.h"
#include "jobs/messages.h"
#include "jobs/output_guard.h"

namespace jobs {

JobResult RunTransformJob(JobText& text, const Destination& destination,
                          const Transform& transform, common::Messenger& messenger) {
  JobResult result{.ok = false, .file = {}, .backup = {}, .form = text.form};
  if (destination.output && RefusedAsInput(text, *destination.output, messenger)) return result;
  std::optional<std::string> whole = WholeText(text, messenger);
  if (!whole) return result;
  text.sjis.reset();
  std::optional<std::string> transformed = transform(*whole);
  if (!transformed) return result;
  std::string bytes =
      text.IsPlainShiftJisFile() ? *std::move(transformed) : text.ForUser(*transformed);
  if (!destination.output) {
    result.ok = destination.stream(bytes);
    return result;
  }
  result.file = *destination.output;
  result.ok = common::ReplaceFile(result.file, bytes) == common::ReplaceStatus::kOk;
  if (!result.ok) TellFailure(messenger, messages::kCannotWriteFile, {result.file.string()});
  return result;
}

}  // namespace jobs
