// The refusal to write over the text a job reads.
#include "jobs/output_guard.h"

#include "common/platform/file_identity.h"
#include "jobs/messages.h"

namespace jobs {

bool RefusedAsInput(const JobText& text, const std::filesystem::path& output,
                    common::Messenger& messenger) {
  if (text.from_stream || !common::SameFile(text.file, output)) return false;
  TellFailure(messenger, messages::kOutputIsInput, {output.string(), text.file.string()});
  return true;
}

}  // namespace jobs
