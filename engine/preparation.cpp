// Guards, notation check and the first working file.
#include "engine/preparation.h"

#include <cstdint>
#include <string>

#include "common/message_format.h"
#include "common/notation_checker.h"
#include "common/working_files.h"
#include "engine/messages.h"
#include "engine/prepared_text.h"

namespace engine {
namespace {

void Tell(common::Messenger& messenger, std::string_view title, std::string text) {
  messenger.Tell({std::string(title), std::move(text), common::Icon::kWarning});
}

bool PassesGuards(const CommandRun& run) {
  if (run.context.ruby_window_open) {
    Tell(run.messenger, messages::kTitleGoodbye, std::string(messages::kRubyWindowOpen));
    return false;
  }
  if (run.text.Size() == 0) {
    Tell(run.messenger, messages::kTitleGoodbye, std::string(messages::kNothingToRuby));
    return false;
  }
  return true;
}

// The passes end their input at a NUL byte, so everything after one would be lost.
bool HoldsNoNul(const CommandRun& run) {
  int line = LineOfFirstNul(run.text);
  if (line == 0) return true;
  Tell(run.messenger, messages::kTitleCaution,
       common::FormatMessage(messages::kTextHoldsNul, {std::int64_t{line}}));
  return false;
}

int FaultLine(const CommandRun& run, std::size_t fault_offset) {
  if (run.context.fault_line) return run.context.fault_line(fault_offset);
  return common::LogicalLineOfFault(run.text, fault_offset);
}

RubyCommandStatus SavePreparedText(const CommandRun& run) {
  std::filesystem::path path = run.context.work.File(common::kPreparedText);
  switch (WritePreparedText(run.text, path)) {
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

}  // namespace

RubyCommandStatus Prepare(CommandRun& run) {
  if (!PassesGuards(run)) return RubyCommandStatus::kRefused;
  run.progress.Clear();
  run.progress.Append(messages::kProgressChecked);
  if (!HoldsNoNul(run)) return RubyCommandStatus::kRefused;

  common::NotationCheck check =
      common::CheckNotation(run.text, 0, /*report_separators=*/false, run.context.areas);
  if (check.read_failed) {
    // A fault where the reading stopped would be no fault of the text.
    Tell(run.messenger, messages::kTitleWarning,
         common::FormatMessage(messages::kTextNotRead, {run.context.document_path.string()}));
    return RubyCommandStatus::kNotPrepared;
  }
  if (!check.ok()) {
    common::ReportFault(check.code, FaultLine(run, check.fault_offset), run.messenger);
    return RubyCommandStatus::kNotationFault;
  }
  run.html_mode = check.html_mode;
  return SavePreparedText(run);
}

}  // namespace engine
