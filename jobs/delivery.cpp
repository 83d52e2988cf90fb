// Giving the files written for a text back to the user in the text's form.
#include "jobs/delivery.h"

#include <cerrno>

#include "common/platform/file_replace.h"
#include "common/platform/file_system.h"
#include "engine/commands/ruby_file_naming.h"
#include "jobs/messages.h"
#include "jobs/output_guard.h"
#include "jobs/written_record.h"

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

// A file beside the text that a person may have edited, which `written` is about to replace:
// it says something else and the program has not written it as it stands. It is kept as the
// backup (story.~ymi, storyRb.~html), one generation deep, as a ruby file is. False when it
// cannot be kept, and then it must not be replaced.
bool KeepEdited(const fs::path& target, const fs::path& written, const WrittenRecord& record,
                fs::path& backup) {
  if (!common::FileExists(target) || common::IsReadOnly(target) ||
      common::SameBytes(written, target) || record.IsUntouched(target)) {
    return true;
  }
  backup = engine::RubyFileBackupName(target);
  if (common::RenameFile(target, backup)) return true;
  backup.clear();
  return false;
}

// The file, turned into the text's form first (so that it is compared with the file it
// replaces as the user reads both), takes its place beside the text.
JobResult PutBeside(const JobText& text, const fs::path& written, bool written_in_form,
                    const fs::path& written_record, common::Messenger& messenger) {
  fs::path target = text.file.parent_path() / written.filename();
  JobResult result{.ok = false, .file = target, .backup = {}, .form = text.form};
  if (RefusedAsInput(text, target, messenger)) {
    common::RemoveFile(written);
    return result;
  }
  WrittenRecord record(written_record);
  bool in_form = written_in_form || common::WriteForUser(written, text.form, written);
  // Where no file stands yet, there is none to lose: the file simply moves there.
  if (in_form && common::MoveToFreeName(written, target)) {
    record.Remember(target);
    result.ok = true;
    return result;
  }
  common::FileReplacement replacement(target);
  bool placed = in_form && KeepEdited(target, written, record, result.backup) &&
                replacement.Begin() == common::ReplaceStatus::kOk &&
                TakeAsIs(written, replacement) && replacement.Commit();
  int error = errno;
  common::RemoveFile(written);
  if (!placed) {
    if (!result.backup.empty()) {
      static_cast<void>(common::RenameFile(result.backup, target));  // back in place
      result.backup.clear();
    }
    TellCannotWrite(messenger, target, error);
    return result;
  }
  record.Remember(target);
  result.ok = true;
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

fs::path PassDocument(const JobText& text, const common::WorkDir& work) {
  return work.File(text.from_stream ? std::string(kStreamDocument) : text.file.filename().string());
}

JobResult Deliver(const JobText& text, const Destination& destination, const fs::path& written,
                  bool written_in_form, common::Messenger& messenger,
                  const fs::path& written_record) {
  if (destination.output) {
    const fs::path& target = *destination.output;
    if (RefusedAsInput(text, target, messenger)) {
      common::RemoveFile(written);
      return {.ok = false, .file = target, .backup = {}, .form = text.form};
    }
    bool moved = text.form.IsProgramOwn() || written_in_form
                     ? common::MoveFile(written, target)
                     : common::WriteForUser(written, text.form, target);
    int error = errno;
    common::RemoveFile(written);
    if (!moved) TellCannotWrite(messenger, target, error);
    return {.ok = moved, .file = target, .backup = {}, .form = text.form};
  }
  if (text.from_stream) return Stream(text, destination, written, written_in_form, messenger);
  return PutBeside(text, written, written_in_form || text.form.IsProgramOwn(), written_record,
                   messenger);
}

}  // namespace jobs
