// Giving the files written for a text back to the user in the text's form.
#include "jobs/delivery.h"

#include "common/file_replace.h"
#include "common/file_system.h"
#include "jobs/messages.h"

namespace jobs {

namespace fs = std::filesystem;

namespace {

// The stand-in document of a text from a stream, which the files written for it are named after.
constexpr std::string_view kStreamDocument = "stdin.txt";

// `written`, already in the text's form, as the content of `replacement`: renamed there when it
// can be (waited onto the disk first, as a converted file is), else copied.
bool TakeAsIs(const fs::path& written, const common::FileReplacement& replacement) {
  std::FILE* file = common::OpenRegularFileStream(written);
  if (file == nullptr || !common::SyncAndClose(file)) return false;
  std::error_code error;
  if (replacement.WritePath() != replacement.Target() &&
      common::RenameFile(written, replacement.WritePath())) {
    return true;
  }
  // A device or a pipe takes the content, as does a temporary file on another file system.
  fs::copy_file(written, replacement.WritePath(), fs::copy_options::overwrite_existing, error);
  return !error;
}

// The file in the text's form takes its place beside the text.
JobResult PutBeside(const JobText& text, const fs::path& written, bool written_in_form,
                    common::Messenger& messenger) {
  fs::path target = text.file.parent_path() / written.filename();
  JobResult result{.ok = true, .file = target, .backup = {}, .form = text.form};
  // Where no file stands yet, there is none to lose: the file simply moves there.
  if (written_in_form && common::MoveToFreeName(written, target)) return result;
  common::FileReplacement replacement(target);
  bool placed =
      replacement.Begin() == common::ReplaceStatus::kOk &&
      (written_in_form ? TakeAsIs(written, replacement)
                       : common::WriteForUserAt(written, text.form, replacement.WritePath()));
  common::RemoveFile(written);
  if (!placed || !replacement.Commit()) {
    TellFailure(messenger, messages::kCannotWriteFile, {target.string()});
    result.ok = false;
  }
  return result;
}

// The file into the stream, in the text's form.
JobResult Stream(const JobText& text, const Destination& destination, const fs::path& written,
                 bool written_in_form, common::Messenger& messenger) {
  common::UserEncoding form = written_in_form ? common::UserEncoding{} : text.form;
  JobResult result{.ok = false, .file = {}, .backup = {}, .form = text.form};
  std::unique_ptr<common::FileTextSource> source = common::FileTextSource::Open(written);
  if (!source) {
    TellFailure(messenger, messages::kCannotReadFile, {written.string()});
    return result;
  }
  bool stream_failed = false;
  result.ok = common::ConvertFromShiftJis(*source, form, [&](std::string_view piece) {
    stream_failed = !destination.stream(piece);
    return !stream_failed;
  });
  source.reset();
  common::RemoveFile(written);
  // A refused output has said so; anything else is the working file failing to be read.
  if (!result.ok && !stream_failed) {
    TellFailure(messenger, messages::kCannotReadFile, {written.string()});
  }
  return result;
}

}  // namespace

fs::path PassDocument(const JobText& text, const Destination& destination,
                      const common::WorkDir& work) {
  if (text.from_stream) return work.File(kStreamDocument);
  if (text.IsPlainShiftJisFile() && !destination.output) return text.file;
  return work.File(text.file.filename().string());
}

JobResult Deliver(const JobText& text, const Destination& destination, const fs::path& written,
                  bool written_in_form, common::Messenger& messenger) {
  if (destination.output) {
    const fs::path& target = *destination.output;
    bool moved = text.form.IsProgramOwn() || written_in_form
                     ? common::MoveFile(written, target)
                     : common::WriteForUser(written, text.form, target);
    common::RemoveFile(written);
    if (!moved) TellFailure(messenger, messages::kCannotWriteFile, {target.string()});
    return {.ok = moved, .file = target, .backup = {}, .form = text.form};
  }
  if (text.from_stream) return Stream(text, destination, written, written_in_form, messenger);
  if (text.IsPlainShiftJisFile()) {
    return {.ok = true, .file = written, .backup = {}, .form = text.form};
  }
  return PutBeside(text, written, written_in_form, messenger);
}

}  // namespace jobs
