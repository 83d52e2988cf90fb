// The conversion jobs: the run order of the core, then the file in the text's form.
#include "jobs/conversion_jobs.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

#include "common/status.h"
#include "jobs/messages.h"
#include "rubywindow/conversion_run.h"
#include "rubywindow/messages.h"
#include "rubywindow/pass_through_page.h"
#include "rubywindow/ruby_page.h"
#include "rubywindow/ymi_writer.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;
namespace rw = rubywindow;

constexpr std::string_view kUtf8Charset = "UTF-8";
constexpr std::string_view kYmiExtension = ".ymi";
constexpr std::string_view kPageSourceSuffix = "YMI.ymi";

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
  return text.size() >= end.size() &&
         std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()),
                    [](char a, char b) {
                      return std::tolower(static_cast<unsigned char>(a)) ==
                             std::tolower(static_cast<unsigned char>(b));
                    });
}

rw::ConversionInput InputOf(const ConversionJob& job, const fs::path& document) {
  return {document, *job.text.sjis, job.areas, job.fault_line, job.check_notation};
}

JobResult Failed(const ConversionJob& job) {
  return {.ok = false, .file = {}, .backup = {}, .form = job.text.form};
}

// A page of an empty text would show nothing.
bool RefusedAsEmpty(const ConversionJob& job, common::Messenger& messenger) {
  if (job.text.sjis->Size() != 0) return false;
  messenger.Tell({std::string(rw::messages::kTitleCaution),
                  std::string(rw::messages::kNothingToShow), common::Icon::kWarning});
  return true;
}

// The file a writer made for `document` handed to the user; not ok after the writer's (or the
// run's) message.
JobResult Finish(const ConversionJob& job, bool written, const fs::path& file,
                 common::Messenger& messenger) {
  if (!written) return Failed(job);
  return Deliver(job.text, job.destination, file, /*written_in_form=*/false, messenger,
                 job.written_record);
}

// A conversion's status as the writer left it; a text that could not be read is named.
bool Converted(const ConversionJob& job, rw::ConversionStatus status,
               common::Messenger& messenger) {
  if (status == rw::ConversionStatus::kReadFailed) {
    TellFailure(messenger, messages::kCannotReadFile, {job.text.ShownName()});
  }
  return common::IsOk(status);
}

}  // namespace

std::optional<fs::path> YmiPageSource(const fs::path& ymi_file, const fs::path& program_dir) {
  std::string name = ymi_file.string();
  if (!EndsWithIgnoringCase(name, kYmiExtension)) return std::nullopt;
  name.resize(name.size() - kYmiExtension.size());
  fs::path source(name + std::string(kPageSourceSuffix));
  return source.has_parent_path() ? source : program_dir / source;
}

JobResult RunRubyPageJob(const ConversionJob& job, rw::HtmlPageSettings settings,
                         common::Messenger& messenger) {
  if (RefusedAsEmpty(job, messenger)) return Failed(job);
  fs::path document = PassDocument(job.text, job.work);
  // A ruby page declares the encoding it is handed to the user in.
  if (job.text.form.encoding != common::TextEncoding::kShiftJis) settings.charset = kUtf8Charset;
  bool written = common::IsOk(rw::WriteRubyPage(document, *job.text.sjis, settings, messenger));
  return Finish(job, written, rw::RubyPagePath(document), messenger);
}

JobResult RunPassThroughPageJob(const ConversionJob& job, common::Messenger& messenger) {
  if (RefusedAsEmpty(job, messenger)) return Failed(job);
  fs::path document = PassDocument(job.text, job.work);
  rw::ConversionStatus checked = rw::CheckBeforeConversion(InputOf(job, document), messenger);
  if (checked == rw::ConversionStatus::kReadFailed) {
    TellCannotRead(messenger, messages::kCannotReadFile, document);
  }
  bool written = common::IsOk(checked) &&
                 common::IsOk(rw::WritePassThroughPage(document, *job.text.sjis, messenger));
  return Finish(job, written, rw::PassThroughPagePath(document), messenger);
}

JobResult RunYmiJob(const ConversionJob& job, const rw::YmiOptions& options,
                    common::Messenger& messenger) {
  fs::path document = PassDocument(job.text, job.work);
  bool written =
      Converted(job, rw::ConvertToYmi(InputOf(job, document), options, messenger), messenger);
  return Finish(job, written, rw::YmiPath(document), messenger);
}

JobResult RunNnnJob(const ConversionJob& job, const rw::NnnOptions& options,
                    bool ask_on_missing_markers, common::Messenger& messenger) {
  fs::path document = PassDocument(job.text, job.work);
  bool written = Converted(
      job, rw::ConvertToNnn(InputOf(job, document), options, ask_on_missing_markers, messenger),
      messenger);
  return Finish(job, written, rw::NnnPath(document), messenger);
}

}  // namespace jobs
