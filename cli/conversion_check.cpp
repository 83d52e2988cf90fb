// The check before a conversion: a malformed group stops the conversion at its line.
#include "cli/conversion_check.h"

#include "cli/command_support.h"
#include "cli/messages.h"
#include "common/notation_checker.h"

namespace cli {

bool PassesConversionCheck(const common::TextSource& text, const std::filesystem::path& file,
                           const common::Settings& settings, common::Messenger& messenger) {
  common::NotationCheck check =
      common::CheckNotation(text, 0, false, common::NonRubyAreasOf(settings));
  int fault_line = check.ok() ? 0 : common::LogicalLineOfFault(text, check.fault_offset);
  // A scan cut short by a read error proves nothing either way.
  if (check.read_failed || text.Failed()) {
    TellFailure(messenger, messages::kCannotReadFile, {PathText(file)});
    return false;
  }
  if (!check.ok()) {
    common::ReportFault(check.code, fault_line, messenger);
    return false;
  }
  return true;
}

}  // namespace cli
