// Conversions from the command line: a malformed group stops them at its line.
#include "cli/conversion_check.h"

#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/status.h"

namespace cli {
namespace {

void TellNotRead(const std::filesystem::path& file, common::Messenger& messenger) {
  TellCannotRead(messenger, messages::kCannotReadFile, file);
}

}  // namespace

rubywindow::ConversionInput ConversionInputOf(const std::filesystem::path& file,
                                              const common::TextSource& text,
                                              const common::Settings& settings) {
  return {file, text, common::NonRubyAreasOf(settings)};
}

bool PassesConversionCheck(const common::TextSource& text, const std::filesystem::path& file,
                           const common::Settings& settings, common::Messenger& messenger) {
  rubywindow::ConversionStatus status =
      rubywindow::CheckBeforeConversion(ConversionInputOf(file, text, settings), messenger);
  if (status == rubywindow::ConversionStatus::kReadFailed) TellNotRead(file, messenger);
  return common::IsOk(status);
}

CommandResult FinishConversion(const CommandEnv& env, rubywindow::ConversionStatus status,
                               const UserText& text, const std::filesystem::path& written) {
  if (status == rubywindow::ConversionStatus::kReadFailed) {
    TellFailure(env.messenger, messages::kCannotReadFile, {text.ShownName()});
  }
  if (!common::IsOk(status)) return CommandResult::Failure();
  return DeliverWritten(env, text, written) ? CommandResult::Success() : CommandResult::Failure();
}

}  // namespace cli
