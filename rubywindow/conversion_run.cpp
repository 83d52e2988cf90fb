// The YMI and NNN run order.
#include "rubywindow/conversion_run.h"

#include <optional>
#include <string>

#include "common/notation/notation_checker.h"
#include "common/status.h"
#include "rubywindow/messages.h"
#include "rubywindow/template_table.h"
#include "rubywindow/ymi_writer.h"

namespace rubywindow {
namespace {

ConversionStatus WriteStatusOf(OutputStatus status) {
  return common::IsOk(status) ? ConversionStatus::kOk : ConversionStatus::kWriteFailed;
}

}  // namespace

ConversionStatus CheckBeforeConversion(const ConversionInput& input, common::Messenger& messenger) {
  if (!input.check_notation) return ConversionStatus::kOk;
  common::NotationCheck check =
      common::CheckNotation(input.text, 0, /*report_separators=*/false, input.areas);
  if (check.read_failed || input.text.Failed()) return ConversionStatus::kReadFailed;
  if (check.ok()) return ConversionStatus::kOk;
  int line = input.fault_line ? input.fault_line(check.fault_offset)
                              : common::LogicalLineOfFault(input.text, check.fault_offset);
  if (input.text.Failed()) return ConversionStatus::kReadFailed;
  common::ReportFault(check.code, line, messenger);
  return ConversionStatus::kNotationFault;
}

namespace {

// An empty text has nothing to convert; writing an empty file in its name would only hide that.
bool RefusedAsEmpty(const ConversionInput& input, common::Messenger& messenger) {
  if (input.text.Size() != 0) return false;
  messenger.Tell({std::string(messages::kTitleNothingToConvert),
                  std::string(messages::kNothingToConvert), common::Icon::kWarning});
  return true;
}

}  // namespace

ConversionStatus ConvertToYmi(const ConversionInput& input, const YmiOptions& options,
                              common::Messenger& messenger) {
  if (RefusedAsEmpty(input, messenger)) return ConversionStatus::kNothingToConvert;
  ConversionStatus checked = CheckBeforeConversion(input, messenger);
  if (!common::IsOk(checked)) return checked;
  if (std::optional<common::Message> refusal = RefusalOf(options)) {
    messenger.Tell(*refusal);
    return ConversionStatus::kRefused;
  }
  if (options.warn_markers) {
    TemplateTable table = ParseTemplate(ExpandTabMarks(options.template_text), kYmiMarkers);
    if (std::optional<common::Message> warning = YmiMarkerWarning(table)) messenger.Tell(*warning);
  }
  return WriteStatusOf(WriteYmi(input.document, input.text, options, messenger));
}

ConversionStatus ConvertToNnn(const ConversionInput& input, const NnnOptions& options,
                              bool ask_on_missing_markers, common::Messenger& messenger) {
  if (RefusedAsEmpty(input, messenger)) return ConversionStatus::kNothingToConvert;
  ConversionStatus checked = CheckBeforeConversion(input, messenger);
  if (!common::IsOk(checked)) return checked;
  if (ask_on_missing_markers) {
    std::optional<common::Message> question =
        NnnMarkerWarning(ParseTemplate(options.template_text, kNnnMarkers));
    if (question && messenger.Ask(*question, common::Buttons::kOkCancel) != common::Answer::kOk) {
      return ConversionStatus::kCancelled;
    }
  }
  return WriteStatusOf(WriteNnn(input.document, input.text, options, messenger));
}

}  // namespace rubywindow
