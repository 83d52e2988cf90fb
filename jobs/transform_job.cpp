// Whole-text transforms: read and written a piece at a time, nothing put in place when the
// transform refuses or fails.
#include "jobs/transform_job.h"

#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>

#include "common/platform/file_replace.h"
#include "common/platform/file_system.h"
#include "jobs/messages.h"
#include "jobs/output_guard.h"

namespace jobs {

namespace {

// The file at the output, written as the result comes and put in place only once complete.
class OutputFile {
 public:
  explicit OutputFile(const std::filesystem::path& target) : replacement_(target) {
    if (replacement_.Begin() == common::ReplaceStatus::kOk) {
      file_ = std::fopen(replacement_.WritePath().c_str(), "wb");
    }
  }
  ~OutputFile() {
    if (file_ != nullptr) std::fclose(file_);
  }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool Write(std::string_view piece) {
    return file_ != nullptr && std::fwrite(piece.data(), 1, piece.size(), file_) == piece.size();
  }
  bool Finish() {
    if (file_ == nullptr) return false;
    bool synced = common::SyncAndClose(std::exchange(file_, nullptr));
    return synced && replacement_.Commit();
  }

 private:
  common::FileReplacement replacement_;
  std::FILE* file_ = nullptr;
};

}  // namespace

JobResult RunTransformJob(JobText& text, const Destination& destination,
                          const Transform& transform, common::Messenger& messenger) {
  JobResult result{.ok = false, .file = {}, .backup = {}, .form = text.form};
  if (destination.output && RefusedAsInput(text, *destination.output, messenger)) return result;
  std::optional<OutputFile> output;
  common::PieceSink write = destination.stream;
  if (destination.output) {
    result.file = *destination.output;
    output.emplace(result.file);
    write = [&output](std::string_view piece) { return output->Write(piece); };
  }
  bool as_is = text.form.IsProgramOwn();
  common::ShiftJisToUser to_user(text.form);
  bool write_failed = false;
  int error = 0;
  auto failed = [&](bool ok) {
    if (!ok && !write_failed) error = errno;
    write_failed = write_failed || !ok;
    return ok;
  };
  common::PieceSink sink = [&](std::string_view piece) {
    return failed(as_is ? write(piece) : to_user.Take(piece, false, write));
  };
  bool done = transform(*text.sjis, sink);
  if (done && !as_is) failed(to_user.Take({}, true, write));
  if (done && !write_failed && output) failed(output->Finish());
  if (text.sjis->Failed()) {
    TellFailure(messenger, messages::kCannotReadFile, {text.ShownName()});
  } else if (write_failed && output) {
    TellCannotWrite(messenger, result.file, error);
  }
  result.ok = done && !write_failed;
  return result;
}

}  // namespace jobs
