// The export job: the core's check, the worksheet file in the working folder, then delivery.
#include "jobs/export_job.h"

#include <cerrno>
#include <optional>
#include <string>

#include "common/status.h"
#include "jobs/messages.h"
#include "rubywindow/conversion_run.h"
#include "rubywindow/messages.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;
namespace rw = rubywindow;

JobResult Failed(const ConversionJob& job) {
  return {.ok = false, .file = {}, .backup = {}, .form = job.text.form};
}

}  // namespace

JobResult RunExportJob(const ConversionJob& job, const ExportChoices& choices,
                       common::Messenger& messenger) {
  if (job.text.sjis->Size() == 0) {
    messenger.Tell({std::string(rw::messages::kTitleCaution),
                    std::string(rw::messages::kNothingToShow), common::Icon::kWarning});
    return Failed(job);
  }
  fs::path document = PassDocument(job.text, job.work);
  rw::ConversionStatus checked = rw::CheckBeforeConversion(
      {document, *job.text.sjis, job.areas, job.fault_line, job.check_notation}, messenger);
  if (checked == rw::ConversionStatus::kReadFailed) {
    TellFailure(messenger, messages::kCannotReadFile, {job.text.ShownName()});
  }
  if (!common::IsOk(checked)) return Failed(job);
  std::optional<std::string> text = WholeText(job.text, messenger);
  if (!text) return Failed(job);
  fs::path written = document;
  written.replace_extension(worksheet::ExtensionOf(choices.format));
  worksheet::SheetOptions options{.vertical = choices.vertical,
                                  .title = job.text.file.stem().string()};
  if (!worksheet::WriteSheet(written, choices.format,
                             engine::KeepFirstRubyOfText(*text, choices.first_ruby), options)) {
    TellCannotWrite(messenger, written, errno);
    return Failed(job);
  }
  // The file is UTF-8 or a zip container: handed on byte for byte.
  JobResult result = Deliver(job.text, job.destination, written, /*written_in_form=*/true,
                             messenger, job.written_record);
  result.form = {common::TextEncoding::kUtf8, true};
  return result;
}

}  // namespace jobs
