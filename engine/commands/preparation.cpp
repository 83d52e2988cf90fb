// Guards, notation check and the first working file.
#include "engine/commands/preparation.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "common/platform/background_task.h"
#include "common/platform/file_system.h"
#include "common/message_format.h"
#include "common/notation/notation_checker.h"
#include "common/status.h"
#include "common/platform/working_files.h"
#include "engine/messages.h"
#include "engine/commands/prepared_text.h"

namespace engine {
namespace {

// Texts shorter than this are checked after the copy: a thread would cost more than it saves.
constexpr std::size_t kCheckedAsideBytes = 1 << 16;

void Tell(common::Messenger& messenger, std::string_view title, std::string text) {
  messenger.Tell({std::string(title), std::move(text), common::Icon::kWarning});
}

// The passes end their input at a NUL byte, so everything after one would be lost.
bool HoldsNoNul(const common::TextSource& text, common::Messenger& messenger) {
  int line = LineOfFirstNul(text);
  if (line == 0) return true;
  Tell(messenger, messages::kTitleCaution,
       common::FormatMessage(messages::kTextHoldsNul, {std::int64_t{line}}));
  return false;
}

int FaultLine(const common::TextSource& text, const RubyCommandContext& context,
              std::size_t fault_offset) {
  if (context.fault_line) return context.fault_line(fault_offset);
  return common::LogicalLineOfFault(text, fault_offset);
}

// The first working file's outcome, written as the text was read for the checks.
RubyCommandStatus ReportSaved(const CommandRun& run, PreparedTextStatus saved,
                              const std::filesystem::path& path) {
  switch (saved) {
    case PreparedTextStatus::kOk:
      return RubyCommandStatus::kOk;
    case PreparedTextStatus::kSourceFailed:
      Tell(run.messenger, messages::kTitleWarning,
           common::FormatMessage(messages::kTextNotRead, {run.context.document_path.string()}));
      return RubyCommandStatus::kNotPrepared;
    case PreparedTextStatus::kWriteFailed:
      break;
  }
  Tell(run.messenger, messages::kTitleWarning,
       common::FormatMessage(messages::kPreparedTextNotWritten, {path.string()}));
  return RubyCommandStatus::kNotPrepared;
}

common::NotationCheck CheckNotationOf(const common::TextSource& text,
                                      const RubyCommandContext& context) {
  return common::CheckNotation(text, 0, /*report_separators=*/false, context.areas);
}

RubyCommandStatus ReportNotation(const common::NotationCheck& check, const common::TextSource& text,
                                 const RubyCommandContext& context, common::Messenger& messenger,
                                 bool* html_mode) {
  if (check.read_failed) {
    // A fault where the reading stopped would be no fault of the text.
    Tell(messenger, messages::kTitleWarning,
         common::FormatMessage(messages::kTextNotRead, {context.document_path.string()}));
    return RubyCommandStatus::kNotPrepared;
  }
  if (!check.ok()) {
    common::ReportFault(check.code, FaultLine(text, context, check.fault_offset), messenger);
    return RubyCommandStatus::kNotationFault;
  }
  if (html_mode != nullptr) *html_mode = check.html_mode;
  return RubyCommandStatus::kOk;
}

}  // namespace

bool PassesGuards(bool ruby_window_open, bool text_empty, common::Messenger& messenger) {
  if (ruby_window_open) {
    Tell(messenger, messages::kTitleGoodbye, std::string(messages::kRubyWindowOpen));
    return false;
  }
  if (text_empty) {
    Tell(messenger, messages::kTitleGoodbye, std::string(messages::kNothingToRuby));
    return false;
  }
  return true;
}

RubyCommandStatus CheckText(const common::TextSource& text, const RubyCommandContext& context,
                            common::Messenger& messenger, bool* html_mode) {
  if (!HoldsNoNul(text, messenger)) return RubyCommandStatus::kRefused;
  return ReportNotation(CheckNotationOf(text, context), text, context, messenger, html_mode);
}

RubyCommandStatus Prepare(CommandRun& run) {
  if (!PassesGuards(run.context.ruby_window_open, run.text.Size() == 0, run.messenger)) {
    return RubyCommandStatus::kRefused;
  }
  run.progress.Clear();
  run.progress.Append(messages::kProgressChecked);
  // The reading that writes the first working file also looks for a NUL byte, and a long text's
  // notation is checked on a thread of its own meanwhile. The checks still speak first and in
  // their order; a working file of a text they refuse is removed.
  std::filesystem::path path = run.context.work.File(common::kPreparedText);
  std::size_t first_nul = std::string_view::npos;
  common::NotationCheck notation;
  common::BackgroundTask checker;
  bool checked_aside = run.text.Size() >= kCheckedAsideBytes;
  if (checked_aside) {
    checker.Start([&notation, &run] { notation = CheckNotationOf(run.text, run.context); });
  }
  PreparedTextStatus saved = WritePreparedText(run.text, path, &first_nul);
  if (checked_aside) {
    checker.Wait();
  } else {
    notation = CheckNotationOf(run.text, run.context);
  }
  // Only a file that could not be written may have left the text unread.
  bool nul_possible =
      first_nul != std::string_view::npos || saved == PreparedTextStatus::kWriteFailed;
  RubyCommandStatus checked =
      nul_possible && !HoldsNoNul(run.text, run.messenger)
          ? RubyCommandStatus::kRefused
          : ReportNotation(notation, run.text, run.context, run.messenger, &run.html_mode);
  if (!common::IsOk(checked)) {
    common::RemoveFile(path);
    return checked;
  }
  return ReportSaved(run, saved, path);
}

}  // namespace engine
