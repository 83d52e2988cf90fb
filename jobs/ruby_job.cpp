// The ruby job: the pass in the working folder, then the ruby file in its final form beside the
// document.
#include "jobs/ruby_job.h"

#include <cerrno>

#include "common/platform/file_system.h"
#include "common/notation/notation_checker.h"
#include "common/status.h"
#include "engine/commands/ruby_file_naming.h"
#include "jobs/messages.h"
#include "jobs/output_guard.h"
#include "jobs/written_record.h"

namespace jobs {
namespace {

namespace fs = std::filesystem;

// The stand-in document of a text from a stream, which its ruby file is named after.
constexpr std::string_view kStreamDocument = "stdin.txt";

engine::RubyCommandResult RunPass(RubyKind kind, const RubyChoices& choices,
                                  const common::TextSource& text,
                                  const engine::RubyCommandContext& context,
                                  common::Messenger& messenger) {
  switch (kind) {
    case RubyKind::kAll:
      return engine::RunAllRuby(text, choices.use, context, messenger);
    case RubyKind::kGrade:
      return engine::RunGradeRuby(text, choices.grade, context, messenger);
    case RubyKind::kLevel:
      return engine::RunLevelRuby(text, choices.level, context, messenger);
    case RubyKind::kLineField:
      return engine::RunLineFieldRuby(text, choices.line, choices.use, context, messenger);
  }
  return {engine::RubyCommandStatus::kRefused, {}, false};
}

// The ruby file written in the working folder takes its place beside the document: in the
// document's form first, so that it is compared with the previous ruby file as the user will
// read both, and kept as the backup only when they differ.
// A ruby file the job itself wrote there and nobody has edited since is simply replaced, so
// that the backup keeps the last copy a person touched.
void PlaceBeside(const JobText& text, const fs::path& written, bool written_in_form,
                 const engine::RubyCommandContext& context, RubyJobResult& result,
                 common::Messenger& messenger) {
  std::string extension = written.extension().string();
  result.file = engine::RubyFileName(text.file, extension);
  if (RefusedAsInput(text, result.file, messenger)) {
    common::RemoveFile(written);
    result.status = engine::RubyCommandStatus::kNamingFailed;
    return;
  }
  if (!written_in_form && !text.form.IsProgramOwn() &&
      !common::WriteForUser(written, text.form, written)) {
    int error = errno;
    common::RemoveFile(written);
    // The ruby file is named; the cause is where it was being made.
    TellFailure(messenger, messages::kCannotWriteFile,
                {result.file.string(), common::WriteFailureCause(written, error)});
    result.status = engine::RubyCommandStatus::kNamingFailed;
    return;
  }
  WrittenRecord record(context.written_record);
  engine::RubyFileNaming naming = engine::NameRubyFile(
      context.work, written.filename().string(), text.file, extension, messenger,
      [&record](const fs::path& file) { return record.IsUntouched(file); });
  if (!naming.ok) {
    common::RemoveFile(written);
    result.status = engine::RubyCommandStatus::kNamingFailed;
    return;
  }
  record.Remember(naming.ruby_file);
  result.ok = true;
  result.backup = naming.backup;
}

}  // namespace

engine::DictionaryUse DictionaryUseOf(RubyKind kind, engine::DictionaryUse asked) {
  if (kind == RubyKind::kGrade) return engine::DictionaryUse::kMainOnly;
  if (kind == RubyKind::kLevel) return engine::DictionaryUse::kUserThenMain;
  return asked;
}

RubyJobResult RunRubyJob(RubyKind kind, const RubyChoices& choices, const JobText& text,
                         engine::RubyCommandContext context, const Destination& destination,
                         common::Messenger& messenger) {
  const common::TextSource& sjis = *text.sjis;
  // All ruby writes its file in the text's form as it goes; the filters' files are converted
  // once written.
  bool in_form = kind == RubyKind::kAll;
  context.document_path = context.work.File(text.from_stream ? std::string(kStreamDocument)
                                                             : text.file.filename().string());
  context.ruby_file_form = in_form ? text.form : common::UserEncoding{};
  if (!context.fault_line) {
    context.fault_line = [&sjis](std::size_t offset) {
      return common::LogicalLineOfFault(sjis, offset);
    };
  }
  RubyChoices used = choices;
  used.use = DictionaryUseOf(kind, choices.use);
  engine::RubyCommandResult pass = RunPass(kind, used, sjis, context, messenger);
  if (pass.status == engine::RubyCommandStatus::kMarkingFailed) {
    TellFailure(messenger, messages::kMarkingFailed, {text.ShownName()});
  }
  RubyJobResult result;
  result.status = pass.status;
  result.field_flag = pass.field_flag;
  result.reading = pass.reading;
  result.form = text.form;
  if (!common::IsOk(pass.status)) {
    if (!pass.ruby_file.empty()) {
      common::RemoveFile(pass.ruby_file);
      result.file = engine::RubyFileName(text.file, pass.ruby_file.extension().string());
    }
    return result;
  }
  if (destination.output || text.from_stream) {
    JobResult delivered = Deliver(text, destination, pass.ruby_file, in_form, messenger);
    static_cast<JobResult&>(result) = delivered;
    if (!delivered.ok) result.status = engine::RubyCommandStatus::kNamingFailed;
    return result;
  }
  PlaceBeside(text, pass.ruby_file, in_form, context, result, messenger);
  return result;
}

}  // namespace jobs
